// Registry access over the per-user hive.
