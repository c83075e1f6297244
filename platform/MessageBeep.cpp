#include "platform/MessageBeep.h"

#include <canberra.h>

#include <chrono>
#include <condition_variable>
#include <cstdio>
#include <fstream>
#include <memory>
#include <mutex>
#include <string>
#include <unistd.h>

namespace varnolet::platform {
namespace {

struct CanberraDeleter {
    void operator()(ca_context* context) const { ca_context_destroy(context); }
};

BeepHook& Hook() {
    static BeepHook hook;
    return hook;
}

const char* EventId(BeepType type) {
    switch (type) {
    case MB_ICONERROR:
        return "dialog-error";
    case MB_ICONQUESTION:
        return "dialog-question";
    case MB_ICONWARNING:
        return "dialog-warning";
    case MB_ICONINFORMATION:
        return "dialog-information";
    }
    return "bell";
}

// libcanberra plays asynchronously; the command-line mode ends right after its
// beep, so every sound is waited for (briefly) before MessageBeep returns.
class SoundPlayer {
public:
    bool Play(const char* eventId) {
        if (!m_context && !Open()) {
            return false;
        }
        ca_proplist* props = nullptr;
        if (ca_proplist_create(&props) != CA_SUCCESS) {
            return false;
        }
        ca_proplist_sets(props, CA_PROP_EVENT_ID, eventId);
        {
            std::lock_guard lock(m_mutex);
            m_done = false;
        }
        // The callback may run on libcanberra's thread at any time, even before
        // play_full returns, so no lock is held across the call.
        const int rc =
            ca_context_play_full(m_context.get(), 1, props, &SoundPlayer::Finished, this);
        ca_proplist_destroy(props);
        if (rc != CA_SUCCESS) {
            return false;
        }
        std::unique_lock lock(m_mutex);
        m_finished.wait_for(lock, std::chrono::seconds(3), [this] { return m_done; });
        return true;
    }

private:
    // The sound server first; the raw ALSA back end only where a sound card
    // exists, since without one ALSA fills standard error with complaints.
    bool Open() { return OpenWith("pulse") || (HasSoundCard() && OpenWith(nullptr)); }

    bool OpenWith(const char* driver) {
        ca_context* context = nullptr;
        if (ca_context_create(&context) != CA_SUCCESS) {
            return false;
        }
        m_context.reset(context);
        if ((driver && ca_context_set_driver(context, driver) != CA_SUCCESS) ||
            ca_context_open(context) != CA_SUCCESS) {
            m_context.reset();
            return false;
        }
        return true;
    }

    static bool HasSoundCard() {
        std::ifstream cards("/proc/asound/cards");
        std::string line;
        return std::getline(cards, line) && line.find("no soundcards") == std::string::npos;
    }

    static void Finished(ca_context*, uint32_t, int, void* self) {
        auto* player = static_cast<SoundPlayer*>(self);
        {
            std::lock_guard lock(player->m_mutex);
            player->m_done = true;
        }
        player->m_finished.notify_all();
    }

    std::mutex m_mutex;
    std::condition_variable m_finished;
    bool m_done = false;
    std::unique_ptr<ca_context, CanberraDeleter> m_context;
};

} // namespace

void SetBeepHook(BeepHook hook) {
    Hook() = std::move(hook);
}

void MessageBeep(BeepType type) {
    if (Hook()) {
        Hook()(type);
        return;
    }
    static SoundPlayer player;
    if (!player.Play(EventId(type)) && ::isatty(STDERR_FILENO)) {
        std::fputc('\a', stderr);
        std::fflush(stderr);
    }
}

} // namespace varnolet::platform
