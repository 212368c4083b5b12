#include <gtest/gtest.h>

#include <clocale>
#include <cmath>
#include <cstdlib>
#include <optional>
#include <string>

#include "core/model/CoverParameters.h"
#if defined(__SANITIZE_ADDRESS__)
#include <sanitizer/lsan_interface.h>
#endif
#include "support/TestPaths.h"

namespace tessaly {
namespace {

TEST(CoverParameters, InitialValues) {
    const CoverParameters p;
    EXPECT_EQ(p.Entry, 1);
    EXPECT_EQ(p.WidthFactor, 1.0f);
    EXPECT_EQ(p.HeightFactor, 1.0f);
    EXPECT_EQ(p.DepthFactor, 1.0f);
    EXPECT_EQ(p.CaseAngle, 0.0f);
    EXPECT_EQ(p.SpineColor, 0xFFFFFFu);
    EXPECT_EQ(p.SpiralColor, 0xFFFFFFu);
    EXPECT_FALSE(p.Modified);
}

TEST(CoverParameters, FactorAndLabelAtTheBarsMarks) {
    EXPECT_EQ(FactorFromPosition(0), 0.1f);
    EXPECT_EQ(FormatHundredths(FactorFromPosition(0), '.'), "0.1");
    EXPECT_EQ(FactorFromPosition(1), 0.1095f);
    EXPECT_EQ(FormatHundredths(FactorFromPosition(1), '.'), "0.1");  // cut, not 0.11
    EXPECT_EQ(FactorFromPosition(95), 1.0025f);
    EXPECT_EQ(FormatHundredths(FactorFromPosition(95), '.'), "1");
    EXPECT_EQ(FactorFromPosition(200), 2.0f);
    EXPECT_EQ(FormatHundredths(FactorFromPosition(200), '.'), "2");
    // Positions beyond the bar are held at its ends.
    EXPECT_EQ(FactorFromPosition(-7), 0.1f);
    EXPECT_EQ(FactorFromPosition(100000), 2.0f);
}

// Every bar position's label against the cut worked out in whole numbers:
// the factor is (1000 + 95 p) / 10000, so its hundredths are (1000 + 95 p) / 100.
TEST(CoverParameters, EveryDimensionPositionShowsItsExactHundredths) {
    for (int p = kDimensionMin; p <= kDimensionMax; ++p) {
        const int h = (1000 + 95 * p) / 100;
        std::string expected = std::to_string(h / 100);
        if (h % 100 != 0) {
            expected += "." + std::to_string(h % 100 / 10);
            if (h % 10 != 0) expected += std::to_string(h % 10);
        }
        EXPECT_EQ(FormatHundredths(FactorFromPosition(p), '.'), expected) << "position " << p;
    }
    EXPECT_EQ(FormatHundredths(FactorFromPosition(20), '.'), "0.29");  // 0.28999999 as a float
}

TEST(FormatHundredths, ValuesJustBelowAHundredthThroughRounding) {
    EXPECT_EQ(FormatHundredths(0.29, '.'), "0.29");  // 0.29 * 100 = 28.999999999999996
    EXPECT_EQ(FormatHundredths(0.29f, '.'), "0.29");
    EXPECT_EQ(FormatHundredths(0.57, '.'), "0.57");
    EXPECT_EQ(FormatHundredths(1.13, '.'), "1.13");
    EXPECT_EQ(FormatHundredths(-0.29, '.'), "-0.29");
    // Slider values: lift is position / 50, distance position / 20.
    for (int pos = 0; pos <= 1000; ++pos) {
        const int h = pos * 2;  // hundredths of pos / 50
        std::string expected = std::to_string(h / 100);
        if (h % 100)
            expected += "." + std::string(1, char('0' + h % 100 / 10)) +
                        (h % 10 ? std::string(1, char('0' + h % 10)) : "");
        EXPECT_EQ(FormatHundredths(pos / 50.0, '.'), expected) << pos;
    }
}

TEST(FormatHundredths, CutsTowardZeroInShortestForm) {
    EXPECT_EQ(FormatHundredths(0, '.'), "0");
    EXPECT_EQ(FormatHundredths(180, '.'), "180");
    EXPECT_EQ(FormatHundredths(1.5, '.'), "1.5");
    EXPECT_EQ(FormatHundredths(1.999, '.'), "1.99");
    EXPECT_EQ(FormatHundredths(0.05, '.'), "0.05");
    EXPECT_EQ(FormatHundredths(-0.5, '.'), "-0.5");
    EXPECT_EQ(FormatHundredths(-1.999, '.'), "-1.99");
    EXPECT_EQ(FormatHundredths(-0.001, '.'), "0");
    EXPECT_EQ(FormatHundredths(0.0099, '.'), "0");
    EXPECT_EQ(FormatHundredths(1.5, ','), "1,5");
    EXPECT_EQ(FormatHundredths(-12.25, ','), "-12,25");
    EXPECT_EQ(FormatHundredths(123456789.987, '.'), "123456789.98");
    EXPECT_EQ(FormatHundredths(99999999999.999, '.'), "99999999999.99");
    EXPECT_EQ(FormatHundredths(100.29f, '.'), "100.29");
}

TEST(FormatHundredths, NonFiniteAndHugeValuesDoNotBreak) {
    EXPECT_EQ(FormatHundredths(HUGE_VAL, '.'), "INF");
    EXPECT_EQ(FormatHundredths(-HUGE_VAL, '.'), "-INF");
    EXPECT_EQ(FormatHundredths(std::nan(""), '.'), "NAN");
    EXPECT_EQ(FormatHundredths(1e300, '.'), "1e+300");
    EXPECT_EQ(FormatHundredths(-2.5e15, ','), "-2,5e+15");
}

// Sets an environment variable for the scope.
class EnvVar {
  public:
    EnvVar(const char* name, const char* value) : name_(name) {
        if (const char* old = std::getenv(name)) old_ = old;
        if (value)
            setenv(name, value, 1);
        else
            unsetenv(name);
    }
    ~EnvVar() {
        if (old_)
            setenv(name_, old_->c_str(), 1);
        else
            unsetenv(name_);
    }

  private:
    const char* name_;
    std::optional<std::string> old_;
};

TEST(LocaleDecimalSeparator, FallsBackToPointAndLeavesTheProcessLocale) {
    const std::string before = std::setlocale(LC_NUMERIC, nullptr);
    {
        EnvVar all("LC_ALL", "C");
        EXPECT_EQ(LocaleDecimalSeparator(), '.');
    }
    {
        EnvVar all("LC_ALL", "xx_NOWHERE.UTF-8");
        EXPECT_EQ(LocaleDecimalSeparator(), '.');
    }
    EXPECT_EQ(std::setlocale(LC_NUMERIC, nullptr), before);
}

// glibc keeps the search path it builds from LOCPATH in every locale load; that
// is not ours to free, so the leak checker looks away while LOCPATH is set.
char SeparatorIgnoringLibcLeaks() {
#if defined(__SANITIZE_ADDRESS__)
    __lsan_disable();
    const char c = LocaleDecimalSeparator();
    __lsan_enable();
    return c;
#else
    return LocaleDecimalSeparator();
#endif
}

TEST(LocaleDecimalSeparator, ReadsACommaLocaleFromTheEnvironment) {
    test::TempDir dir;
    const std::string cmd =
        "localedef -i de_DE -f UTF-8 '" + (dir / "de_DE.UTF-8").string() + "' >/dev/null 2>&1";
    if (std::system(cmd.c_str()) != 0) GTEST_SKIP() << "cannot build a German locale here";
    const std::string before = std::setlocale(LC_NUMERIC, nullptr);
    EnvVar path("LOCPATH", dir.Path().c_str());
    {
        EnvVar all("LC_ALL", nullptr);
        EnvVar numeric("LC_NUMERIC", "de_DE.UTF-8");
        EXPECT_EQ(SeparatorIgnoringLibcLeaks(), ',');
    }
    {
        EnvVar all("LC_ALL", "C");  // LC_ALL outranks LC_NUMERIC
        EnvVar numeric("LC_NUMERIC", "de_DE.UTF-8");
        EXPECT_EQ(SeparatorIgnoringLibcLeaks(), '.');
    }
    EXPECT_EQ(std::setlocale(LC_NUMERIC, nullptr), before);
    EXPECT_EQ(std::stod("1.5"), 1.5);  // the process still parses with a point
}

}  // namespace
}  // namespace tessaly
