// Fonts, painters and PDF writers need a GUI application (offscreen platform).
#include <QGuiApplication>

#include <gtest/gtest.h>

#include <memory>

namespace {

class Gui_Environment : public ::testing::Environment {
public:
    void SetUp() override
    {
        static int argc = 1;
        static char name[] = "render_surface_tests";
        static char* argv[] = {name, nullptr};
        application_ = std::make_unique<QGuiApplication>(argc, argv);
    }
    void TearDown() override { application_.reset(); }

private:
    std::unique_ptr<QGuiApplication> application_;
};

const auto* const kGui = ::testing::AddGlobalTestEnvironment(new Gui_Environment);

}  // namespace
