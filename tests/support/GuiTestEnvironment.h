#pragma once
// A QGuiApplication for the whole test program: fonts and painting on images and PDF need one.
// The tests run with QT_QPA_PLATFORM=offscreen, so no display is needed.

#include <gtest/gtest.h>

#include <QGuiApplication>

#include <string>
#include <utility>

namespace stracol::testing {

class GuiTestEnvironment : public ::testing::Environment {
public:
    explicit GuiTestEnvironment(std::string programName) : m_name(std::move(programName)) {}

    void SetUp() override {
        if (!QGuiApplication::instance()) {
            // Qt keeps argc and argv for the life of the application: both live in this object,
            // which the test program keeps until after TearDown.
            m_argv[0] = m_name.data();
            m_app = new QGuiApplication(m_argc, m_argv);
        }
    }
    void TearDown() override {
        delete m_app;
        m_app = nullptr;
    }

private:
    std::string m_name;
    int m_argc = 1;
    char* m_argv[2] = {nullptr, nullptr};
    QGuiApplication* m_app = nullptr;
};

// Registers the environment; a test file calls it once at namespace scope:
//     [[maybe_unused]] ::testing::Environment* const kGui = stracol::testing::AddGuiTestEnvironment("NameTest");
inline ::testing::Environment* AddGuiTestEnvironment(const std::string& programName) {
    return ::testing::AddGlobalTestEnvironment(new GuiTestEnvironment(programName));
}

}  // namespace stracol::testing
