// The screenshot check of captions: a caption with a title shows its text
// pixels, one without shows none, and the close button shows a drawn cross
// (Marlett's glyph), not the letter it is drawn with.
#include "driver.h"
#include "screen_capture.h"

#include <gtest/gtest.h>

namespace {

void Pump()
{
    MSG message;
    while (PeekMessageA(&message, NULL, 0, 0, PM_REMOVE))
        DispatchMessageA(&message);
}

TEST(CaptionLook, TitlePixelsFollowTheTitleAndTheCloseButtonIsACross)
{
    static const struct {
        const char* title;
        DWORD extendedStyle;
        bool titleShown;
    } CASES[] = {
        {"ﾚｿﾞﾙｳﾞｧ設定", 0, true},
        {"", 0, false},
        {"ﾊﾞｰｼﾞｮﾝ情報", WS_EX_DLGMODALFRAME, true},
    };
    for (const auto& c : CASES) {
        SCOPED_TRACE(c.title);
        HWND window = CreateWindowExA(c.extendedStyle, "STATIC", c.title, WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_VISIBLE,
                                      100, 100, 320, 120, NULL, NULL, NULL, NULL);
        ASSERT_NE(nullptr, window);
        SetForegroundWindow(window);
        RedrawWindow(window, NULL, NULL, RDW_FRAME | RDW_INVALIDATE | RDW_UPDATENOW);
        capture::CaptionLook look;
        driver::WaitFor([&] {
            Pump();
            look = capture::LookAtCaption(window);
            return look.glyphSymmetric && (look.titlePixels > 0) == c.titleShown;
        }, 5000);
        EXPECT_EQ(c.titleShown, look.titlePixels > 20) << look.titlePixels << " title pixels";
        EXPECT_TRUE(look.glyphSymmetric) << look.glyphPixels << " glyph pixels";
        DestroyWindow(window);
    }
}

}  // namespace
