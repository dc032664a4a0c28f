# Desktop pictures per display and the wallpaper editor.
set(VELMORA_WALLPAPER_MODEL_SOURCES
  wallpaper/WallpaperTweakHandler.cpp
)
set(VELMORA_WALLPAPER_WIDGET_SOURCES
  wallpaper/WallpaperView.cpp
)
