# The Dock's tiles, its preference, installed applications and the Dock editor.
set(VELMORA_DOCK_MODEL_SOURCES
  dock/DockAppsTweakHandler.cpp
)
set(VELMORA_DOCK_WIDGET_SOURCES
  dock/DockAppsView.cpp
)
