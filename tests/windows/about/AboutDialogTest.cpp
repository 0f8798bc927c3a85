// The About dialog: its window, controls and texts, the pages, the closing
// rules by key and button, and the links.
#include "AboutSupport.h"
#include "TestSupport.h"

#include "ui/Addresses.h"

#include "OrvalisVersion.h"

#include "framework/Application.h"

#include <gtest/gtest.h>

#include <stdexcept>

namespace {

using namespace about_test;
using testing_support::PumpFor;
using testing_support::PumpUntil;

ui::TFormAbout& Dlg(fw::Form& f) {
    return static_cast<ui::TFormAbout&>(f);
}

TEST(AboutDialog, WindowCaptionTitleAndVersionTexts) {
    ui::TFormAbout dlg(nullptr);
    EXPECT_EQ(dlg.Caption(), L"About Orvalis.");
    EXPECT_EQ(dlg.LabalTitle().Text(), L"Orvalis. " ORVALIS_VERSION_WTEXT);
    EXPECT_EQ(dlg.LabelVersion().Text(), ORVALIS_VERSION_WTEXT);
    EXPECT_EQ(dlg.LabelWeb().Text(), ui::WebSiteAddress);
    EXPECT_EQ(dlg.LabelSupportEmail().Text(), ui::SupportMailAddress);
    EXPECT_EQ(dlg.Get<fw::Label>(L"LabelWebTitle").Text(), L"Web site:");
    EXPECT_EQ(dlg.Get<fw::Label>(L"LabelSupport").Text(), L"Support:");
    EXPECT_EQ(dlg.Get<fw::Label>(L"LabelCheck").Text(),
              L"To ensure you're using the latest version, click on the \r\nUpdates button below.");
    EXPECT_EQ(dlg.ButtonOK().Text(), L"&OK");
    EXPECT_EQ(dlg.ButtonUpdates().Text(), L"&Updates...");

    HWND h = dlg.Handle();
    RECT client;
    ::GetClientRect(h, &client);
    EXPECT_EQ(client.right, 523);
    EXPECT_EQ(client.bottom, 298);
    wchar_t text[64] = {};
    ::GetWindowTextW(h, text, 64);
    EXPECT_STREQ(text, L"About Orvalis.");
    const LONG style = ::GetWindowLongW(h, GWL_STYLE);
    EXPECT_TRUE(style & WS_CAPTION);
    EXPECT_TRUE(style & WS_SYSMENU) << "the close box";
    EXPECT_FALSE(style & (WS_MINIMIZEBOX | WS_MAXIMIZEBOX | WS_THICKFRAME));
    EXPECT_EQ(dlg.GetFont().name, L"Tahoma");
    EXPECT_EQ(dlg.GetFont().height, 11);
}

TEST(AboutDialog, ControlsSitWhereTheTablesPutThem) {
    ui::TFormAbout dlg(nullptr);
    dlg.Handle();
    struct Expect {
        const wchar_t* name;
        const wchar_t* parent;
        int left, top, width, height; // width -1: follows the text
    };
    const Expect table[] = {
        {L"PanelMain", L"FormAbout", 0, 0, 523, 298},
        {L"PageControlMain", L"PanelMain", 200, 8, 305, 245},
        {L"ButtonOK", L"PanelMain", 438, 265, 75, 25},
        {L"PanelmageLeft", L"PanelMain", 12, 12, 175, 242},
        {L"ImageLeft", L"PanelmageLeft", 2, 2, 171, 238},
        {L"LabalTitle", L"TabSheetAbout", 16, 12, 265, 26},
        {L"LabelCopyright", L"TabSheetAbout", 16, 48, 265, 26},
        {L"LabelWebTitle", L"TabSheetAbout", 16, 144, -1, 13},
        {L"LabelWeb", L"TabSheetAbout", 16, 160, -1, 13},
        {L"LabelSupport", L"TabSheetAbout", 16, 176, -1, 13},
        {L"LabelSupportEmail", L"TabSheetAbout", 16, 192, -1, 13},
        {L"LabelCheckTitle", L"TabSheetUpdate", 16, 132, -1, 13},
        {L"LabelCheck", L"TabSheetUpdate", 16, 152, -1, 26},
        {L"LabelPInfo", L"TabSheetUpdate", 16, 12, -1, 13},
        {L"ButtonUpdates", L"TabSheetUpdate", 206, 184, 75, 25},
        {L"GroupBoxPInfo", L"TabSheetUpdate", 16, 32, 275, 73},
        {L"LabelVersion", L"GroupBoxPInfo", 12, 16, -1, 13},
    };
    for (const Expect& e : table) {
        fw::Control* c = dlg.FindControl(e.name);
        ASSERT_NE(c, nullptr) << e.name;
        ASSERT_NE(c->Parent(), nullptr);
        EXPECT_EQ(c->Parent()->Name(), e.parent) << e.name;
        EXPECT_EQ(c->Left(), e.left) << e.name;
        EXPECT_EQ(c->Top(), e.top) << e.name;
        if (e.width >= 0)
            EXPECT_EQ(c->Width(), e.width) << e.name;
        else
            EXPECT_GT(c->Width(), 20) << e.name;
        EXPECT_EQ(c->Height(), e.height) << e.name;
    }
    // The pages fill the page control's display area, in order.
    auto& pc = dlg.PageControlMain();
    ASSERT_EQ(pc.PageCount(), 2);
    EXPECT_EQ(pc.Page(0)->Name(), L"TabSheetAbout");
    EXPECT_EQ(pc.Page(0)->Text(), L"About");
    EXPECT_EQ(pc.Page(1)->Name(), L"TabSheetUpdate");
    EXPECT_EQ(pc.Page(1)->Text(), L"Update");
    EXPECT_EQ(TabCtrl_GetItemCount(pc.Handle()), 2);
    const RECT display = pc.DisplayRect();
    EXPECT_EQ(pc.Page(1)->Left(), display.left);
    EXPECT_EQ(pc.Page(1)->Width(), display.right - display.left);
    EXPECT_GE(pc.Page(1)->Height(), 184 + 25) << "the Updates button fits on its page";
    // The picture hangs two pixels over each side of the image, centred.
    EXPECT_EQ(dlg.ImageLeft().DestRect().left, -2);
    EXPECT_EQ(dlg.ImageLeft().DestRect().top, 11);
    EXPECT_TRUE(dlg.ImageLeft().Center());
}

TEST(AboutDialog, LabelSettingsAndTheCopyrightFitsInTwoLines) {
    ui::TFormAbout dlg(nullptr);
    auto& title = dlg.LabalTitle();
    EXPECT_TRUE(title.GetFont().bold);
    EXPECT_TRUE(title.WordWrap());
    EXPECT_TRUE(title.Transparent());
    EXPECT_FALSE(title.ShowAccelChar());
    EXPECT_FALSE(title.AutoSize());
    for (const wchar_t* name : {L"LabelWeb", L"LabelSupportEmail"}) {
        auto& link = dlg.Get<fw::Label>(name);
        EXPECT_EQ(link.GetFont().color, 0xFF0000u) << "pure blue, 0xBBGGRR";
        EXPECT_TRUE(link.GetFont().underline);
        EXPECT_EQ(link.Cursor(), fw::crHandPoint);
        EXPECT_FALSE(link.Transparent());
        EXPECT_EQ(link.GetColor(), fw::clBtnFace);
        EXPECT_TRUE(static_cast<bool>(link.OnClick));
    }
    EXPECT_TRUE(dlg.Get<fw::Label>(L"LabelCheckTitle").GetFont().bold);
    EXPECT_TRUE(dlg.Get<fw::Label>(L"LabelPInfo").GetFont().bold);
    EXPECT_FALSE(dlg.Get<fw::Label>(L"LabelCopyright").GetFont().bold);
    EXPECT_EQ(dlg.ImageLeft().Cursor(), fw::crHandPoint);

    auto& copyright = dlg.Get<fw::Label>(L"LabelCopyright");
    EXPECT_TRUE(copyright.WordWrap());
    fw::WindowDC screen(nullptr);
    fw::Canvas canvas(screen.get());
    canvas.SetFont(copyright.GetFont());
    RECT r{0, 0, 265, 0};
    canvas.DrawText(copyright.Text(), r, copyright.TextFormat() | DT_CALCRECT);
    EXPECT_LE(r.bottom, 26) << "at most two lines";
    EXPECT_LE(r.right, 265);
}

TEST(AboutDialog, TabOrderAndTheFirstFocus) {
    ui::TFormAbout dlg(nullptr);
    std::vector<fw::WinControl*> order;
    dlg.TabOrderList(order);
    std::vector<std::wstring> names;
    for (auto* c : order)
        names.push_back(c->Name());
    // The links' keyboard stand-ins come after the other controls of their page.
    const std::vector<std::wstring> expected = {
        L"PanelMain",      L"PageControlMain", L"TabSheetAbout", L"LabelWebFocus", L"LabelSupportEmailFocus",
        L"TabSheetUpdate", L"ButtonUpdates",   L"GroupBoxPInfo", L"ButtonOK",      L"PanelmageLeft"};
    EXPECT_EQ(names, expected);
    RunModal(dlg, [](fw::Form& f) {
        auto& d = Dlg(f);
        EXPECT_EQ(d.PageControlMain().ActivePage()->Name(), L"TabSheetAbout") << "the About page shows first";
        EXPECT_TRUE(::IsWindowVisible(d.PageControlMain().Page(0)->Handle()));
        EXPECT_FALSE(::IsWindowVisible(d.PageControlMain().Page(1)->Handle()));
        EXPECT_EQ(::GetFocus(), d.PageControlMain().Handle()) << "the tabs have the focus";
        EXPECT_TRUE(d.ButtonOK().Active());
        EXPECT_TRUE(::SendMessageW(d.ButtonOK().Handle(), WM_GETDLGCODE, 0, 0) & DLGC_DEFPUSHBUTTON);
        // Tab goes on through the links to OK, skipping the hidden page's button.
        Key(VK_TAB);
        Key(VK_TAB);
        Key(VK_TAB);
        EXPECT_EQ(::GetFocus(), d.ButtonOK().Handle());
    });
}

TEST(AboutDialog, PagesSwitchByTabClickAndCtrlTab) {
    ui::TFormAbout dlg(nullptr);
    RunModal(dlg, [](fw::Form& f) {
        auto& d = Dlg(f);
        auto& pc = d.PageControlMain();
        RECT tab;
        TabCtrl_GetItemRect(pc.Handle(), 1, &tab);
        ClickAt(pc.Handle(), {(tab.left + tab.right) / 2, (tab.top + tab.bottom) / 2});
        ASSERT_TRUE(PumpUntil([&] { return pc.ActivePageIndex() == 1; }));
        EXPECT_TRUE(::IsWindowVisible(pc.Page(1)->Handle()));
        EXPECT_FALSE(::IsWindowVisible(pc.Page(0)->Handle()));
        EXPECT_EQ(TabCtrl_GetCurSel(pc.Handle()), 1);
        // The version shows in the framed box.
        EXPECT_TRUE(::IsWindowVisible(d.Get<fw::GroupBox>(L"GroupBoxPInfo").Handle()));
        EXPECT_EQ(d.LabelVersion().Text(), ORVALIS_VERSION_WTEXT);
        SaveShot(d.Handle(), L"update-page");

        KeyWith(VK_CONTROL, VK_TAB);
        ASSERT_TRUE(PumpUntil([&] { return pc.ActivePageIndex() == 0; }));
        EXPECT_EQ(TabCtrl_GetCurSel(pc.Handle()), 0);
        KeyWith(VK_CONTROL, VK_TAB);
        EXPECT_TRUE(PumpUntil([&] { return pc.ActivePageIndex() == 1; }));
        // The system tab control's own arrow keys switch too.
        Key(VK_LEFT);
        EXPECT_TRUE(PumpUntil([&] { return pc.ActivePageIndex() == 0; }));
        SaveShot(d.Handle(), L"about-page");
    });
}

TEST(AboutDialog, EnterOnTheTabsAndTheOKButtonCloseWithOK) {
    {
        ui::TFormAbout dlg(nullptr);
        EXPECT_EQ(RunModal(dlg,
                           [](fw::Form& f) {
                               Key(VK_RETURN);
                               WaitForResult(f);
                           }),
                  fw::mrOk);
    }
    {
        ui::TFormAbout dlg(nullptr);
        EXPECT_EQ(RunModal(dlg,
                           [](fw::Form& f) {
                               ClickControl(Dlg(f).ButtonOK());
                               WaitForResult(f);
                           }),
                  fw::mrOk);
    }
    {
        ui::TFormAbout dlg(nullptr);
        EXPECT_EQ(RunModal(dlg,
                           [](fw::Form& f) {
                               KeyWith(VK_MENU, 'O'); // the accelerator
                               WaitForResult(f);
                           }),
                  fw::mrOk);
    }
}

TEST(AboutDialog, EscapeDoesNothingAndAltF4GivesCancel) {
    {
        ui::TFormAbout dlg(nullptr);
        EXPECT_EQ(RunModal(dlg,
                           [](fw::Form& f) {
                               Key(VK_ESCAPE);
                               PumpFor(300);
                               EXPECT_EQ(f.ModalResult(), fw::mrNone) << "no button is a cancel button";
                               EXPECT_TRUE(::IsWindowVisible(f.Handle()));
                               KeyWith(VK_MENU, VK_F4);
                               WaitForResult(f);
                           }),
                  fw::mrCancel);
    }
}

// The close box's point on screen, found by the window's own hit test.
POINT CloseBoxPoint(HWND h) {
    RECT w;
    ::GetWindowRect(h, &w);
    for (int y = w.top; y < w.top + 40; ++y)
        for (int x = w.right - 1; x > w.right - 80; --x)
            if (::SendMessageW(h, WM_NCHITTEST, 0, MAKELPARAM(x, y)) == HTCLOSE)
                return {x - 3, y + 3};
    return {-1, -1};
}

TEST(AboutDialog, TheCloseBoxGivesCancel) {
    ui::TFormAbout dlg(nullptr);
    bool frameIsOurs = true;
    const int result = RunModal(dlg, [&](fw::Form& f) {
        HWND h = f.Handle();
        const POINT p = CloseBoxPoint(h);
        ASSERT_GE(p.x, 0) << "no close box";
        // Without a window manager, Wine leaves the title bar to one and the
        // point belongs to no window of ours.
        if (::WindowFromPoint(p) != h) {
            frameIsOurs = false;
            return;
        }
        testing_support::MoveMouse(p.x, p.y);
        // Both at once: the system tracks a close-box press in a loop of its own
        // until the release arrives.
        testing_support::MouseButton(true, true);
        testing_support::MouseButton(true, false);
        WaitForResult(f);
    });
    if (!frameIsOurs)
        GTEST_SKIP()
            << "the title bar is not drawn by the program on this display (Wine without a window manager)";
    EXPECT_EQ(result, fw::mrCancel);
}

TEST(AboutDialog, TheCloseCommandGivesCancel) {
    ui::TFormAbout dlg(nullptr);
    EXPECT_EQ(RunModal(dlg,
                       [](fw::Form& f) {
                           // What the close box and the system menu's Close send.
                           ::PostMessageW(f.Handle(), WM_SYSCOMMAND, SC_CLOSE, 0);
                           WaitForResult(f);
                       }),
              fw::mrCancel);
}

TEST(AboutDialog, EnterOnAFocusedUpdatesButtonClicksItAndKeepsTheDialogOpen) {
    ShellRecorder shell;
    ui::TFormAbout dlg(nullptr);
    const int result = RunModal(dlg, [&](fw::Form& f) {
        auto& d = Dlg(f);
        d.PageControlMain().SetActivePage(d.PageControlMain().Page(1));
        d.ButtonUpdates().SetFocus();
        ASSERT_TRUE(PumpUntil([&] { return ::GetFocus() == d.ButtonUpdates().Handle(); }));
        EXPECT_TRUE(d.ButtonUpdates().Active()) << "the focused button shows the default frame";
        EXPECT_FALSE(d.ButtonOK().Active());
        EXPECT_TRUE(::SendMessageW(d.ButtonUpdates().Handle(), WM_GETDLGCODE, 0, 0) & DLGC_DEFPUSHBUTTON);
        EXPECT_FALSE(::SendMessageW(d.ButtonOK().Handle(), WM_GETDLGCODE, 0, 0) & DLGC_DEFPUSHBUTTON);
        Key(VK_RETURN);
        PumpFor(200);
        EXPECT_EQ(f.ModalResult(), fw::mrNone);
        ASSERT_EQ(shell.Calls().size(), 1u);
        EXPECT_EQ(shell.Calls()[0].file, ui::WebSiteAddress);
        // Back on the tabs, OK is the default again and Enter closes.
        d.PageControlMain().SetFocus();
        ASSERT_TRUE(PumpUntil([&] { return ::GetFocus() == d.PageControlMain().Handle(); }));
        EXPECT_TRUE(d.ButtonOK().Active());
        EXPECT_FALSE(d.ButtonUpdates().Active());
        Key(VK_RETURN);
        WaitForResult(f);
    });
    EXPECT_EQ(result, fw::mrOk);
}

TEST(AboutDialog, TheUpdatesAcceleratorWorksOnlyWhileItsPageShows) {
    ShellRecorder shell;
    ui::TFormAbout dlg(nullptr);
    RunModal(dlg, [&](fw::Form& f) {
        auto& d = Dlg(f);
        KeyWith(VK_MENU, 'U');
        PumpFor(100);
        EXPECT_TRUE(shell.Calls().empty()) << "a button on a hidden page cannot be clicked";
        d.PageControlMain().SetActivePage(d.PageControlMain().Page(1));
        PumpFor(100);
        KeyWith(VK_MENU, 'U');
        PumpFor(100);
        ASSERT_EQ(shell.Calls().size(), 1u);
        EXPECT_EQ(shell.Calls()[0].file, ui::WebSiteAddress);
        EXPECT_EQ(f.ModalResult(), fw::mrNone);
    });
}

TEST(AboutDialog, LinksOpenExactlyTheShownTextAndTheDialogStaysOpen) {
    ShellRecorder shell;
    ui::TFormAbout dlg(nullptr);
    RunModal(dlg, [&](fw::Form& f) {
        auto& d = Dlg(f);
        ClickControl(d.LabelWeb());
        ClickControl(d.LabelSupportEmail());
        ClickControl(d.ImageLeft());
        d.PageControlMain().SetActivePage(d.PageControlMain().Page(1));
        PumpFor(100);
        ClickControl(d.ButtonUpdates());
        PumpFor(100);
        EXPECT_EQ(f.ModalResult(), fw::mrNone);
        EXPECT_TRUE(::IsWindowVisible(f.Handle()));
    });
    ASSERT_EQ(shell.Calls().size(), 4u);
    EXPECT_EQ(shell.Calls()[0].file, L"https://www.orvalis.example/");
    EXPECT_EQ(shell.Calls()[1].file, L"mailto:support@orvalis.example") << "no subject or body";
    EXPECT_EQ(shell.Calls()[2].file, ui::WebSiteAddress);
    EXPECT_EQ(shell.Calls()[3].file, ui::WebSiteAddress);
    for (const ShellCall& c : shell.Calls()) {
        EXPECT_EQ(c.operation, L"open");
        EXPECT_TRUE(c.parametersNull);
        EXPECT_TRUE(c.directoryNull);
    }
}

TEST(AboutDialog, LinkHandlersUseTheClickedLabelsCurrentTextAndRequireALabel) {
    ShellRecorder shell;
    ui::TFormAbout dlg(nullptr);
    fw::Label other(nullptr);
    other.SetText(L"someone@orvalis.example");
    dlg.LabelSupportEmailClick(other);
    dlg.LabelWeb().SetText(L"https://www.orvalis.example/changed");
    dlg.LabelWebClick(dlg.LabelWeb());
    ASSERT_EQ(shell.Calls().size(), 2u);
    EXPECT_EQ(shell.Calls()[0].file, L"mailto:someone@orvalis.example");
    EXPECT_EQ(shell.Calls()[1].file, L"https://www.orvalis.example/changed");
    EXPECT_THROW(dlg.LabelWebClick(dlg.ButtonOK()), std::runtime_error);
    EXPECT_THROW(dlg.LabelSupportEmailClick(dlg.ImageLeft()), std::runtime_error);
    EXPECT_EQ(shell.Calls().size(), 2u);
}

} // namespace
