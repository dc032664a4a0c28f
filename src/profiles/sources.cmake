# Profile files, their review and the profile menu.
set(VELMORA_PROFILES_MODEL_SOURCES
  profiles/Profile.cpp
  profiles/ProfileApplier.cpp
  profiles/ProfileApplyReport.h
  profiles/ProfileDiffItem.cpp
  profiles/ProfileDocument.cpp
)
set(VELMORA_PROFILES_WIDGET_SOURCES
  profiles/ProfileDiffView.cpp
  profiles/ProfileMenu.cpp
)
