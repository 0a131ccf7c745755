#pragma once
// GoogleTest executables that draw text need a QGuiApplication; this makes
// the one of the process on first use (offscreen when no platform is set).
namespace test_support {

void Ensure_Gui_Application();

}  // namespace test_support
