#include "BareGlFloor.h"

#include <windows.h>

#include <GL/gl.h>

#include <chrono>

double bareGlFirstTriangleMs(int width, int height)
{
    const auto start = std::chrono::steady_clock::now();
    WNDCLASSA windowClass{};
    windowClass.style = CS_OWNDC;
    windowClass.lpfnWndProc = DefWindowProcA;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.lpszClassName = "BareGlFloor";
    RegisterClassA(&windowClass);
    HWND window = CreateWindowA("BareGlFloor", "", WS_POPUP | WS_VISIBLE, 0, 0, width, height, nullptr, nullptr,
                                windowClass.hInstance, nullptr);
    HDC deviceContext = window != nullptr ? GetDC(window) : nullptr;
    PIXELFORMATDESCRIPTOR wanted{};
    wanted.nSize = sizeof(wanted);
    wanted.nVersion = 1;
    wanted.dwFlags = PFD_DRAW_TO_WINDOW | PFD_SUPPORT_OPENGL | PFD_DOUBLEBUFFER;
    wanted.iPixelType = PFD_TYPE_RGBA;
    wanted.cColorBits = 32;
    wanted.cDepthBits = 24;
    wanted.cStencilBits = 8;
    const int format = deviceContext != nullptr ? ChoosePixelFormat(deviceContext, &wanted) : 0;
    if (format == 0 || SetPixelFormat(deviceContext, format, &wanted) == FALSE)
        return -1.0;
    HGLRC context = wglCreateContext(deviceContext);
    if (context == nullptr || wglMakeCurrent(deviceContext, context) == FALSE)
        return -1.0;
    drawBareTriangle();
    SwapBuffers(deviceContext);
    glFinish();
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
}
