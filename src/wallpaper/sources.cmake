# Desktop pictures per display and the wallpaper editor.
set(VELMORA_WALLPAPER_MODEL_SOURCES
  wallpaper/DesktopPictures.cpp
  wallpaper/Scaling.cpp
  wallpaper/WallpaperConfig.cpp
  wallpaper/WallpaperError.cpp
  wallpaper/WallpaperTweakHandler.cpp
  wallpaper/WallpaperViewModel.cpp
)
set(VELMORA_WALLPAPER_WIDGET_SOURCES
  wallpaper/ChooseImageTapTarget.cpp
  wallpaper/MiddleElidedLabel.cpp
  wallpaper/PreviewWell.cpp
  wallpaper/WallpaperCard.cpp
  wallpaper/WallpaperDisplayRow.cpp
  wallpaper/WallpaperView.cpp
)
