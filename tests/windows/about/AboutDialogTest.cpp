// The About dialog: its window, controls and texts, the pages, the closing
// rules by key and button, the links, and its placement over the launcher.
#include "AboutSupport.h"
#include "TestSupport.h"

#include "ui/Addresses.h"
#include "ui/Main.h"

#include "controls/PNGGraphic.h"
#include "framework/Application.h"

#include <gtest/gtest.h>

namespace {

using namespace about_test;
using testing_support::PumpFor;
using testing_support::PumpIdle;
using testing_support::PumpUntil;

TEST(AboutDialog, LooksRightOnBothPages) {
    ui::TFormAbout dlg(nullptr);
    RunModal(dlg, [](fw::Form& f) {
        auto& d = static_cast<ui::TFormAbout&>(f);
        PumpFor(200);
        SaveShot(d.Handle(), L"about-page");
        d.PageControlMain().SetActivePage(d.PageControlMain().Page(1));
        PumpFor(200);
        SaveShot(d.Handle(), L"update-page");
    });
}

} // namespace
