#include "app/scene/TypedValues.h"

#include "SceneFixture.h"

namespace tessaly::test {
namespace {

class TypedValuesTest : public SceneTest {
  protected:
    ValueLabel Entry(const std::string& slider) {
        for (const ValueLabel& entry : TypedValueLabels(c))
            if (entry.slider->Name == slider) return entry;
        throw std::logic_error("no typed value for " + slider);
    }
};

TEST(TypedNumber, ReadsPlainDecimalsWithTheGivenSeparatorOnly) {
    EXPECT_EQ(ParseTypedNumber("12", '.'), 12.0);
    EXPECT_EQ(ParseTypedNumber("  -7.4 ", '.'), -7.4);
    EXPECT_EQ(ParseTypedNumber("-7,4", ','), -7.4);
    EXPECT_EQ(ParseTypedNumber("+.5", '.'), 0.5);
    EXPECT_EQ(ParseTypedNumber("3.", '.'), 3.0);
    EXPECT_EQ(ParseTypedNumber("90\u00B0", '.'), 90.0);
    EXPECT_EQ(ParseTypedNumber("90 \u00B0", '.'), 90.0);
    EXPECT_EQ(ParseTypedNumber("-0", '.'), 0.0);
    for (const char* bad : {"", " ", "-", ".", "abc", "7.4", "1,2,3", "1e3", "0x10", "--1", "5 5",
                            "inf", "nan", "\u00B0", "12a"})
        EXPECT_FALSE(ParseTypedNumber(bad, ',').has_value()) << bad;
    EXPECT_FALSE(ParseTypedNumber("-7,4", '.').has_value());
}

TEST_F(TypedValuesTest, EverySliderLabelAndTheDimensionBarsTakeTypedValues) {
    const std::vector<ValueLabel> entries = TypedValueLabels(c);
    EXPECT_EQ(entries.size(), ValueLabels(c).size() + 3);
    EXPECT_EQ(Entry("BWidthSB").label, &c.Label49);
    EXPECT_EQ(Entry("BDepthSB").label, &c.Label51);
}

TEST_F(TypedValuesTest, ATypedValueLandsOnTheNearestStepOfTheSlider) {
    const ValueLabel lightX = Entry("LightXSB");  // -10 .. 10 in tenths
    EXPECT_EQ(TypedPosition(lightX, "-7,4", ','), 26);
    EXPECT_EQ(TypedPosition(lightX, "-7.44", '.'), 26);
    EXPECT_EQ(TypedPosition(lightX, "10", '.'), 200);
    EXPECT_EQ(TypedPosition(lightX, "-10", '.'), 0);

    const ValueLabel distance = Entry("distanceSB");  // 3.5 .. 25 in twentieths
    EXPECT_EQ(TypedPosition(distance, "7.5", '.'), 150);
    EXPECT_EQ(TypedPosition(distance, "7.52", '.'), 150);
    EXPECT_EQ(TypedPosition(distance, "3.5", '.'), 70);

    // Strafe runs backwards: position 0 shows 1, position 200 shows -1.
    const ValueLabel strafe = Entry("StrafeSB");
    EXPECT_EQ(TypedPosition(strafe, "0.25", '.'), 75);
    EXPECT_EQ(TypedPosition(strafe, "-1", '.'), 200);

    EXPECT_EQ(TypedPosition(Entry("rotateSB"), "90\u00B0", '.'), 90);
    EXPECT_EQ(TypedPosition(Entry("ScrollBar9"), "0", '.'), 50);  // elevation
    // The dimension factor: 1 is nearest position 95 (1.0025), 0.1 and 2 the ends.
    const ValueLabel width = Entry("BWidthSB");
    EXPECT_EQ(TypedPosition(width, "1", '.'), 95);
    EXPECT_EQ(TypedPosition(width, "0.1", '.'), 0);
    EXPECT_EQ(TypedPosition(width, "2", '.'), 200);
}

TEST_F(TypedValuesTest, ValuesOutsideTheRangeAndGarbageAreRejected) {
    const ValueLabel distance = Entry("distanceSB");
    for (const char* bad : {"3.49", "25.01", "100", "-5", "far", ""})
        EXPECT_FALSE(TypedPosition(distance, bad, '.').has_value()) << bad;
    EXPECT_FALSE(TypedPosition(Entry("liftSB"), "91", '.').has_value());
    EXPECT_FALSE(TypedPosition(Entry("LightXSB"), "-10.1", '.').has_value());
    EXPECT_FALSE(TypedPosition(Entry("BWidthSB"), "0.09", '.').has_value());
}

TEST_F(TypedValuesTest, RangesAreWrittenAsTheLabelsWriteValues) {
    const ValueLabel distance = Entry("distanceSB");
    const ValueRange range = RangeOf(distance);
    EXPECT_EQ(RangeEndText(distance, range.low), Local("3.5"));
    EXPECT_EQ(RangeEndText(distance, range.high), "25");
    const ValueLabel strafe = Entry("StrafeSB");
    EXPECT_EQ(RangeEndText(strafe, RangeOf(strafe).low), "-1");
    EXPECT_EQ(RangeEndText(strafe, RangeOf(strafe).high), "1");
    const ValueLabel fov = Entry("ScrollBar11");
    EXPECT_EQ(RangeEndText(fov, RangeOf(fov).low), Deg("20"));
    EXPECT_EQ(RangeEndText(fov, RangeOf(fov).high), Deg("110"));
    const ValueLabel width = Entry("BWidthSB");
    EXPECT_EQ(RangeEndText(width, RangeOf(width).low), Local("0.1"));
}

}  // namespace
}  // namespace tessaly::test
