// The OpenGL context on a window of the test's own and at start-up, the
// compressed-texture entry point and the floating-point settings.
#include "display/GLContext.h"
#include "shell/MainWindowState.h"
#include "tests/support/RecordingReporter.h"
#include "tests/win/ProgramFixture.h"

#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <vector>

namespace swatchbox::testing {
namespace {

std::vector<WPARAM> DestroyRequests;

LRESULT CALLBACK RecordingProc(HWND Window, UINT Message, WPARAM WParam, LPARAM LParam) {
    if (Message == WM_DESTROY)
        DestroyRequests.push_back(WParam);
    return DefWindowProcA(Window, Message, WParam, LParam);
}

HWND MakeWindow() {
    static const ATOM Class = [] {
        WNDCLASSA Desc{};
        Desc.lpfnWndProc = RecordingProc;
        Desc.hInstance = GetModuleHandleA(nullptr);
        Desc.lpszClassName = "SwatchboxGLContextTest";
        return RegisterClassA(&Desc);
    }();
    return CreateWindowA(MAKEINTATOM(Class), "", WS_POPUP, 0, 0, 64, 64, nullptr, nullptr,
                         GetModuleHandleA(nullptr), nullptr);
}

class GLContext : public ::testing::Test {
protected:
    GLContext() {
        App.Reporter = &Reporter;
        App.MainWnd = Window;
        DestroyRequests.clear();
    }
    ~GLContext() override {
        if (wglGetCurrentContext())
            wglMakeCurrent(nullptr, nullptr);
        if (Context)
            wglDeleteContext(Context);
        DestroyWindow(Window);
        App.MainWnd = nullptr;
        App.Reporter = SavedReporter;
    }

    std::vector<std::string> Texts() const {
        std::vector<std::string> Result;
        for (const auto& Message : Reporter.Messages) {
            EXPECT_EQ(Message.Kind, TMessageKind::Error);
            EXPECT_EQ(Message.Caption, "Error");
            Result.push_back(Message.Text);
        }
        return Result;
    }

    IReporter* SavedReporter = App.Reporter;
    TRecordingReporter Reporter;
    HWND Window = MakeWindow();
    HDC DC = nullptr;
    HGLRC Context = nullptr;
};

TEST_F(GLContext, MadeOnTheWindowWithDoubleBufferingAndDepthAndClosedDownOnce) {
    ASSERT_TRUE(CreateGLContext(Window, DC, Context));
    EXPECT_EQ(wglGetCurrentContext(), nullptr) << "made current too early";

    PIXELFORMATDESCRIPTOR Format{};
    ASSERT_NE(DescribePixelFormat(DC, GetPixelFormat(DC), sizeof(Format), &Format), 0);
    const DWORD Wanted = PFD_DRAW_TO_WINDOW | PFD_SUPPORT_OPENGL | PFD_DOUBLEBUFFER;
    EXPECT_EQ(Format.dwFlags & Wanted, Wanted);
    EXPECT_EQ(Format.iPixelType, PFD_TYPE_RGBA);
    EXPECT_GE(Format.cColorBits, 24);
    EXPECT_GT(Format.cDepthBits, 0);

    ASSERT_TRUE(wglMakeCurrent(DC, Context));
    EXPECT_TRUE(LoadGLExtensions());
    EXPECT_NE(glCompressedTexImage2DARB, nullptr);

    DestroyGLContext(Window, DC, Context);
    EXPECT_EQ(wglGetCurrentContext(), nullptr);
    EXPECT_TRUE(Texts().empty());
    // Closing down again reports the failed steps once.
    DestroyGLContext(Window, DC, Context);
    Context = nullptr;
    EXPECT_EQ(Texts(),
              std::vector<std::string>{"[OPENGL]\r\nFailed to close down OpenGL properly!"});
    EXPECT_TRUE(DestroyRequests.empty());
}

TEST_F(GLContext, AWindowWithoutADeviceContextIsReportedAndLeavesNothingOpen) {
    const HWND Gone = MakeWindow();
    DestroyWindow(Gone);
    DC = reinterpret_cast<HDC>(1);
    Context = reinterpret_cast<HGLRC>(1);
    EXPECT_FALSE(CreateGLContext(Gone, DC, Context));
    EXPECT_EQ(DC, nullptr);
    EXPECT_EQ(Context, nullptr);
    EXPECT_EQ(Texts(), std::vector<std::string>{"[OPENGL]\r\nInitialisation of OpenGL failed!"});
}

TEST_F(GLContext, WithoutTheEntryPointTheProgramIsToldToShutDown) {
    // No context is current, so the lookup finds nothing.
    EXPECT_FALSE(LoadGLExtensions());
    EXPECT_EQ(glCompressedTexImage2DARB, nullptr);
    EXPECT_EQ(Texts(), std::vector<std::string>{"[OPENGL]\r\nCould not load extensions!\r\n"
                                                "(OpenGL v1.3 or higher is needed)"});
    EXPECT_EQ(DestroyRequests, std::vector<WPARAM>{0});
    EXPECT_TRUE(IsWindow(Window));
}

// Refuses every button window of this thread, the texture panel among them.
LRESULT CALLBACK RefuseButtons(int Code, WPARAM WParam, LPARAM LParam) {
    char Class[16] = {};
    if (Code == HCBT_CREATEWND &&
        GetClassNameA(reinterpret_cast<HWND>(WParam), Class, sizeof(Class)) > 0 &&
        lstrcmpiA(Class, "BUTTON") == 0)
        return 1;
    return CallNextHookEx(nullptr, Code, WParam, LParam);
}

TEST(GLContextAtStartUp, WithoutAContextTheProgramSaysSoOnceAndEndsWithoutSaving) {
    const HHOOK Hook = SetWindowsHookExA(WH_CBT, RefuseButtons, nullptr, GetCurrentThreadId());
    ASSERT_NE(Hook, nullptr);
    TProgramWindow Window;
    UnhookWindowsHookEx(Hook);

    EXPECT_FALSE(Window.Started);
    ASSERT_EQ(Window.Reporter.Messages.size(), 1u);
    EXPECT_EQ(Window.Reporter.Messages[0].Text, "[OPENGL]\r\nInitialisation of OpenGL failed!");
    EXPECT_EQ(Window.Reporter.Messages[0].Caption, "Error");
    EXPECT_EQ(App.MainWnd, nullptr);
    // Other tests may run their own main windows meanwhile: look at this thread's.
    bool MainWindowLeft = false;
    EnumThreadWindows(
        GetCurrentThreadId(),
        [](HWND Window, LPARAM Found) {
            char Class[16] = {};
            GetClassNameA(Window, Class, sizeof(Class));
            *reinterpret_cast<bool*>(Found) |= lstrcmpA(Class, "SWATCHBOX") == 0;
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&MainWindowLeft));
    EXPECT_FALSE(MainWindowLeft);
    EXPECT_FALSE(std::filesystem::exists(Window.SettingsFile));
}

TEST(FloatingPointControl, MasksEveryExceptionSoDivisionByZeroGivesInfinity) {
    _controlfp(0, _EM_ZERODIVIDE | _EM_INVALID);
    SetFloatingPointControl();
    EXPECT_EQ(_controlfp(0, 0) & _MCW_EM, static_cast<unsigned>(_MCW_EM));
    EXPECT_EQ(_controlfp(0, 0) & _MCW_RC, static_cast<unsigned>(_RC_NEAR));
    volatile float Zero = 0.0f;
    EXPECT_TRUE(std::isinf(1.0f / Zero));
    EXPECT_TRUE(std::isnan(Zero / Zero));
}

} // namespace
} // namespace swatchbox::testing
