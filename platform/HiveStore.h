#pragma once

#include <functional>
#include <string>

namespace varnolet::platform {

class HiveKey;

/// Registry status codes, as the store reports them.
using HiveStatus = long;
inline constexpr HiveStatus kHiveSuccess = 0;
inline constexpr HiveStatus kHivePathNotFound = 3;
inline constexpr HiveStatus kHiveAccessDenied = 5;

/// Where the current user's hive lives: ${XDG_CONFIG_HOME:-$HOME/.config}/varnolet/
/// user.reg, resolved anew on every call. Empty when there is no home folder.
std::string GetHivePath();

/// The registry status for an errno value: 5 for permissions, 3 for a missing or
/// unusable folder, 112 for a full disk, and so on.
HiveStatus StatusFromErrno(int error);

/// Reads the current user's hive without taking the lock: every save replaces the
/// file in one rename, so a reader sees one whole hive. A missing file, and one that
/// cannot be parsed (the next edit moves it aside), read as an empty hive.
HiveStatus ReadHive(HiveKey& root);

/// One change to the hive: returns its status and sets `changed` when the hive must
/// be saved.
using HiveEditor = std::function<HiveStatus(HiveKey& root, bool& changed)>;

/// Runs one change under an exclusive flock on user.reg.lock (never deleted, so a
/// lock left by a dead process is simply free): creates the folder (0700) when
/// missing, reads the hive, moves an unparsable one aside to user.reg.bad-<time>,
/// lets the editor change it and, when it did, writes user.reg.tmp, fsyncs it,
/// renames it over user.reg and fsyncs the folder. A crash at any moment leaves the
/// old hive or the new one. Returns the editor's status or the store's failure.
HiveStatus EditHive(const HiveEditor& editor);

/// The moments of a save, for tests that crash or fail a save part-way.
enum class HiveSaveStep { TempWritten, TempSynced, Renamed };
/// Called at each step of a save; a non-zero errno fails the save there as if the
/// system had. An empty hook removes it.
void SetHiveSaveHook(std::function<int(HiveSaveStep)> hook);

} // namespace varnolet::platform
