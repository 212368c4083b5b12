#include "app/options/RendererWarning.h"

#include <algorithm>
#include <cctype>

#include "app/MainState.h"
#include "core/i18n/Messages.h"
#include "core/settings/SettingsFile.h"

namespace tessaly {

bool ShouldShowRendererWarning(const std::string& renderer, const std::string& dWarningValue) {
    if (!IsSoftwareRenderer(renderer)) return false;
    std::string value = dWarningValue;
    std::transform(value.begin(), value.end(), value.begin(),
                   [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
    return value == "ON";
}

std::string RendererWarningText(const MainState& state) {
    std::string text;
    for (int i = 1; i <= 5; ++i) {
        if (i > 1) text += '\n';
        text += GetMessage(state.Session.LanguageFile, "wline" + std::to_string(i));
    }
    return text;
}

std::string JoinBrokenSentences(const std::string& text) {
    std::string joined;
    std::size_t start = 0;
    while (start <= text.size()) {
        std::size_t end = text.find('\n', start);
        if (end == std::string::npos) end = text.size();
        std::string line = text.substr(start, end - start);
        if (!line.empty() && line.back() == '\r') line.pop_back();
        while (!line.empty() && line.back() == ' ') line.pop_back();
        if (!joined.empty()) {
            const char last = joined.back();
            const bool sentenceEnds = last == '.' || last == '!' || last == '?' || last == ':';
            joined += sentenceEnds ? '\n' : ' ';
        }
        joined += line;
        start = end + 1;
    }
    while (!joined.empty() && (joined.back() == ' ' || joined.back() == '\n')) joined.pop_back();
    return joined;
}

void StoreRendererWarningChoice(MainState& state, bool doNotShowAgain) {
    state.Session.Settings.WriteValue(kDWarningWriteKey, doNotShowAgain ? kSettingOff : kSettingOn);
}

}  // namespace tessaly
