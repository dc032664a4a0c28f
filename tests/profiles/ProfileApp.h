#pragma once

#include "gui/app/MainWindow.h"
#include "gui/app/VelmoraApp.h"
#include "gui/profiles/ProfileMenu.h"
#include "support/FakePanels.h"
#include "support/TestRoot.h"

#include <memory>

namespace velmora::test {

/// The application on a fresh simulated Mac, with file panels the test answers.
struct ProfileApp {
    ProfileApp() : app(root.makePlatform(), std::unique_ptr<FakePanels>(panels)) { app.showMainWindow(); }
    ProfileMenu *menu() const { return app.mainWindow()->profileMenu(); }

    TestRoot root;
    FakePanels *panels = new FakePanels; // owned by the application
    VelmoraApp app;
};

} // namespace velmora::test
