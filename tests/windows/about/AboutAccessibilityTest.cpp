// The About dialog without a mouse and through a screen reader: the links are
// keyboard links after the page's other controls, with a focus cue; they answer
// as links with their address, the picture as a graphic with the product's
// name, and every object goes dead with the dialog.
#include "AboutSupport.h"
#include "TestSupport.h"

#include "framework/AccessibleObject.h"
#include "framework/FocusProxy.h"
#include "ui/Addresses.h"

#include <gtest/gtest.h>

namespace {

using namespace about_test;
using namespace testing_support;

const std::wstring kMail = std::wstring(L"mailto:") + ui::SupportMailAddress;

TEST(AboutKeyboard, TabReachesTheLinksAfterTheTabsAndEnterOrSpaceOpensThemWithACue) {
    ShellRecorder shell;
    ui::TFormAbout dlg(nullptr);
    RunModal(dlg, [&](fw::Form& f) {
        auto& d = static_cast<ui::TFormAbout&>(f);
        Key(VK_TAB);
        EXPECT_EQ(::GetFocus(), d.Get<fw::FocusProxy>(L"LabelWebFocus").Handle());
        EXPECT_TRUE(d.LabelWeb().FocusCue());
        Key(VK_RETURN);
        EXPECT_EQ(f.ModalResult(), fw::mrNone) << "Enter is the link's, not the OK button's";
        Key(VK_TAB);
        EXPECT_FALSE(d.LabelWeb().FocusCue());
        EXPECT_TRUE(d.LabelSupportEmail().FocusCue());
        Key(VK_SPACE);
        Key(VK_TAB);
        EXPECT_EQ(::GetFocus(), d.ButtonOK().Handle());
        EXPECT_FALSE(d.LabelSupportEmail().FocusCue());
    });
    ASSERT_EQ(shell.Calls().size(), 2u);
    EXPECT_EQ(shell.Calls()[0].file, ui::WebSiteAddress);
    EXPECT_EQ(shell.Calls()[1].file, kMail);
}

TEST(AboutAccessibility, LinksAnswerWithTheirAddressThePictureWithTheProductNameAndAllGoWithTheDialog) {
    ShellRecorder shell;
    AccessiblePtr web, mail, page, panel;
    {
        ui::TFormAbout dlg(nullptr);
        RunModal(dlg, [&](fw::Form& f) {
            auto& d = static_cast<ui::TFormAbout&>(f);
            web.reset(fw::AccessibleObjectOf(d.Get<fw::FocusProxy>(L"LabelWebFocus")));
            mail.reset(fw::AccessibleObjectOf(d.Get<fw::FocusProxy>(L"LabelSupportEmailFocus")));
            const auto w = Facts(web.get()), m = Facts(mail.get());
            EXPECT_EQ(w.role, ROLE_SYSTEM_LINK);
            EXPECT_EQ(w.name + L"|" + w.value + L"|" + w.defaultAction,
                      d.LabelWeb().Text() + L"|" + ui::WebSiteAddress + L"|Jump");
            EXPECT_EQ(m.name + L"|" + m.value, d.LabelSupportEmail().Text() + L"|" + kMail);
            EXPECT_EQ(m.states, STATE_SYSTEM_LINKED | STATE_SYSTEM_FOCUSABLE);
            const RECT label = d.LabelSupportEmail().AccessibleBounds();
            EXPECT_TRUE(::EqualRect(&m.location, &label)) << "the link's place, not its stand-in's";
            EXPECT_EQ(mail->accDoDefaultAction(ChildId(CHILDID_SELF)), S_OK);
            EXPECT_TRUE(PumpUntil([&] { return shell.Calls().size() == 1; }));

            page.reset(fw::AccessibleObjectOf(*d.LabelWeb().Parent()));
            EXPECT_EQ(Facts(page.get(), 1).name, d.LabalTitle().Text()) << "the page's texts are read too";
            panel.reset(fw::AccessibleObjectOf(*d.ImageLeft().Parent()));
            const auto picture = Facts(panel.get(), 1);
            EXPECT_EQ(picture.role, ROLE_SYSTEM_GRAPHIC);
            EXPECT_EQ(picture.name, L"Orvalis");
        });
    }
    for (IAccessible* acc : {web.get(), mail.get(), page.get(), panel.get()}) {
        BSTR name = nullptr;
        ASSERT_TRUE(acc);
        EXPECT_EQ(acc->get_accName(ChildId(1), &name), CO_E_OBJNOTCONNECTED);
    }
    EXPECT_EQ(shell.Calls().back().file, kMail);
}

} // namespace
