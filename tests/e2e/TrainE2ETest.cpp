#include "E2E.h"

namespace {

int countTrain(const Screenshot& shot) {
    return countInView(shot, [](Rgb c, int, int) { return trainish(c); });
}

}  // namespace

using TrainE2E = E2E;

TEST_F(TrainE2E, StandsOnTheTrackAtTheStart) {
    const auto train = camera.screenPosition(2, 0.6, 2);
    const Screenshot shot = Screenshot::take();
    EXPECT_TRUE(trainish(shot.at(train[0], train[1]))) << describe(shot.at(train[0], train[1]));
}

TEST_F(TrainE2E, TimeSliderMovesIt) {
    const auto train = camera.screenPosition(2, 0.6, 2);
    clickAt(560, 502);
    EXPECT_TRUE(waitFor(train[0], train[1], [](Rgb c) { return !trainish(c); }));
    EXPECT_GT(countTrain(Screenshot::take()), 100);
}

TEST_F(TrainE2E, PlayMovesItWithoutInput) {
    const auto train = camera.screenPosition(2, 0.6, 2);
    clickAt(270, 502);  // "Play"
    moveTo(screenX(150), screenY(350));
    EXPECT_TRUE(waitFor(train[0], train[1], [](Rgb c) { return !trainish(c); }));
    const Screenshot a = Screenshot::take();
    Screenshot b;
    EXPECT_TRUE(waitForShot([&](const Screenshot& s) { return differingInView(a, s, 0) > 100; }, b))
        << "the train stopped: " << differingInView(a, b, 0) << " pixels differ after 10 s";
}

TEST_F(TrainE2E, TrainViewRidesAlong) {
    const Screenshot free = Screenshot::take();
    clickAt(110, 502);  // "Train View"
    Screenshot ride;
    EXPECT_TRUE(waitForShot(
        [&](const Screenshot& s) { return differingInView(free, s, 3) > 670 * 470 / 4; }, ride))
        << "no ride view: " << differingInView(free, ride, 3) << " pixels differ";
    ride.save("train-view");
    EXPECT_EQ(countTrain(ride), 0) << "the train is not drawn while riding it";
    // Off again: the free camera as it was.
    clickAt(110, 502);
    const auto train = camera.screenPosition(2, 0.6, 2);
    EXPECT_TRUE(waitFor(train[0], train[1], trainish))
        << describe(Screenshot::take().at(train[0], train[1]));
}

TEST_F(TrainE2E, AddedPointCanBePicked) {
    // "Add to Curve" three times; the clicks are taken in order, however fast they come.
    for (int k = 0; k < 3; ++k)
        clickAt(60, 22);
    const auto first = camera.screenPosition(2, 0.35, 0);
    EXPECT_TRUE(waitFor(first[0], first[1], greenish));
    moveTo(first[0], first[1]);
    xdotool("click 1");
    ASSERT_TRUE(app->waitForOutput("name 7\n"));
    const std::string out = app->output();
    const std::size_t lastLine = out.rfind("hit ", out.size() - 2);
    ASSERT_NE(lastLine, std::string::npos);
    EXPECT_EQ(out.substr(out.rfind(" name ")), " name 7\n") << out;
}
