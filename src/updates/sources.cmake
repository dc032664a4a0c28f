# Update checks.
set(VELMORA_UPDATES_MODEL_SOURCES
  updates/AppVersion.cpp
  updates/Appcast.cpp
  updates/AppcastItem.h
  updates/FeedUpdater.cpp
  updates/UpdateAlerts.h
  updates/UpdateCheckResult.h
  updates/Updater.h
  updates/UpdaterManager.cpp
  # The Full Disk Access probe, shared by the banner and `velmoractl access`.
  platform/FullDiskAccess.cpp
)
set(VELMORA_UPDATES_WIDGET_SOURCES
  updates/CheckForUpdatesView.cpp
  updates/UpdateAlertDialogs.cpp
  ui/FullDiskAccessBanner.cpp
)

# Where the application looks for new versions unless its defaults name another feed (SUFeedURL).
set(VELMORA_UPDATE_FEED_URL "https://corrandelwick.dev/velmora/appcast.xml"
    CACHE STRING "The appcast the built application checks for updates")
set_source_files_properties(updates/FeedUpdater.cpp PROPERTIES
  COMPILE_DEFINITIONS "VELMORA_UPDATE_FEED_URL=\"${VELMORA_UPDATE_FEED_URL}\"")
