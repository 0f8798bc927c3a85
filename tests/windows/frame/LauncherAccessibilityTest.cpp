// What a screen reader finds in the launcher: every button by its name, and the
// info line as a read-only text that announces each change.
#include "TestSupport.h"

#include "framework/AccessibleObject.h"
#include "ui/Common.h"
#include "ui/LauncherLayout.h"
#include "ui/Main.h"

#include <gtest/gtest.h>

#include <memory>
#include <string_view>

using namespace testing_support;
using ui::Wide;

TEST(LauncherAccessibility, ButtonsByNameAndTheInfoLineAsATextThatAnnouncesItsChanges) {
    auto form = std::make_unique<ui::TFormMain>();
    AccessiblePtr client(fw::AccessibleObjectOf(*form));
    ASSERT_TRUE(client);
    long count = 0;
    client->get_accChildCount(&count);
    EXPECT_EQ(count, 1 + static_cast<long>(std::size(ui::layout::kButtons)))
        << "the shadow is not read twice";
    const auto info = Facts(client.get(), 1);
    EXPECT_EQ(info.role, ROLE_SYSTEM_TEXT);
    EXPECT_EQ(info.states, STATE_SYSTEM_READONLY);
    EXPECT_EQ(info.name, Wide(ui::layout::kWelcome));
    const RECT label = form->LabelInfo1().AccessibleBounds();
    EXPECT_TRUE(::EqualRect(&info.location, &label));

    long id = 2;
    for (const ui::layout::ButtonLayout& d : ui::layout::kButtons) {
        SCOPED_TRACE(d.name);
        AccessiblePtr acc(fw::AccessibleObjectOf(*form->Button(Wide(d.name))));
        const bool menu =
            std::string_view(d.name) == "ButtonAudioCD" || std::string_view(d.name) == "ButtonMoreTools";
        const auto f = Facts(acc.get());
        EXPECT_EQ(f.name, Wide(d.accessibleName));
        EXPECT_EQ(f.description, d.hoverText ? Wide(d.hoverText) : L"");
        EXPECT_EQ(f.role, menu ? ROLE_SYSTEM_BUTTONMENU : ROLE_SYSTEM_PUSHBUTTON);
        EXPECT_EQ(f.defaultAction, menu ? L"Open" : L"Press");
        EXPECT_EQ((f.states & STATE_SYSTEM_HASPOPUP) != 0, menu);
        IDispatch* child = nullptr;
        ASSERT_EQ(client->get_accChild(ChildId(id++), &child), S_OK);
        EXPECT_EQ(static_cast<IUnknown*>(child), static_cast<IUnknown*>(acc.get()))
            << "the button's own object";
        child->Release();
    }

    WinEventLog log;
    form->SetInfoText(L"Another text");
    PumpFor(60);
    EXPECT_EQ(log.Count(EVENT_OBJECT_NAMECHANGE, form->Handle(), 1), 1);
    EXPECT_EQ(Facts(client.get(), 1).name, L"Another text");
    form.reset();
    EXPECT_EQ(client->get_accChildCount(&count), CO_E_OBJNOTCONNECTED);
}
