// Fonts, painters and PDF writers need the process's GUI application.
#include "support/gui_application.h"

#include <gtest/gtest.h>

namespace {

class Gui_Environment : public ::testing::Environment {
public:
    void SetUp() override { test_support::Ensure_Gui_Application(); }
};

const auto* const kGui = ::testing::AddGlobalTestEnvironment(new Gui_Environment);

}  // namespace
