#include "platform/centre_rule.h"

#include <gtest/gtest.h>

namespace tovel {
namespace {

struct PlacementCase {
    const char* what;
    ScreenRect owner;
    int width, height;
    ScreenRect workArea;
    ScreenPoint expected;
};

class CentreOnTest : public testing::TestWithParam<PlacementCase> {};

TEST_P(CentreOnTest, CentresOnTheOwnerInsideTheWorkArea) {
    const PlacementCase& c = GetParam();
    EXPECT_EQ(CentreOn(c.owner, c.width, c.height, c.workArea), c.expected) << c.what;
}

constexpr ScreenRect kScreen{0, 0, 1280, 984};  // a taskbar of 40 pixels below

INSTANTIATE_TEST_SUITE_P(
    Cases, CentreOnTest,
    testing::Values(
        PlacementCase{"centred on a moved owner", {100, 50, 700, 550}, 321, 170, kScreen, {239, 215}},
        PlacementCase{"odd slack rounds down", {0, 0, 101, 101}, 50, 50, kScreen, {25, 25}},
        PlacementCase{"owner larger than the box on a left monitor",
                      {-1280, 0, 0, 1024},
                      254,
                      280,
                      {-1280, 0, 0, 1024},
                      {-767, 372}},
        PlacementCase{
            "owner half off the right edge: kept inside", {1100, 800, 1500, 1100}, 321, 245, kScreen, {959, 739}},
        PlacementCase{"owner above and left of the work area", {-300, -200, 100, 100}, 321, 245, kScreen, {0, 0}},
        PlacementCase{
            "a box larger than the work area starts at its top-left", {0, 0, 800, 600}, 1400, 1000, kScreen, {0, 0}},
        PlacementCase{"box larger than its owner, odd negative slack rounds down",
                      {500, 500, 501, 501},
                      4,
                      4,
                      kScreen,
                      {498, 498}}));

}  // namespace
}  // namespace tovel
