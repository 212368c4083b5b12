// SceneFixture: a MainState on a context that makes no GL calls, for the
// tests of the scene controls and the panel's mouse handlers, which only
// change settings, controls and labels and never draw.
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "app/MainState.h"
#include "core/model/CoverParameters.h"
#include "support/NoGLContext.h"
#include "support/RecordingPort.h"

namespace tessaly::test {

// `text` with its '.' replaced by the user's decimal separator, as the value
// labels write numbers.
inline std::string Local(std::string text) {
    for (char& ch : text)
        if (ch == '.') ch = LocaleDecimalSeparator();
    return text;
}

inline std::string Deg(const std::string& number) {
    return number + "\u00B0";
}

class SceneTest : public ::testing::Test {
  protected:
    SceneTest() : state("/nonexistent/", port, std::make_unique<NoGLContext>()) {}

    ScrollBar& Bar(const std::string& name) {
        ScrollBar* bar = state.Controls.All.FindAs<ScrollBar>(name);
        if (!bar) throw std::logic_error("no scroll bar " + name);
        return *bar;
    }
    Control& Label(const std::string& name) {
        Control* label = state.Controls.All.Find(name);
        if (!label) throw std::logic_error("no label " + name);
        return *label;
    }

    RecordingPort port;
    MainState state;
    MainControls& c = state.Controls;
    SceneSettings& s = state.Session.TheScene.Settings;
    TGLLight& light = state.Session.TheScene.MainLight;
    TFloor& floor = state.Session.TheScene.Floor;
};

}  // namespace tessaly::test
