# Profile files, their review and the profile menu.
set(VELMORA_PROFILES_MODEL_SOURCES)
set(VELMORA_PROFILES_WIDGET_SOURCES)
