#include "ControlPoint.h"
#include "Curve.h"
#include "SceneObject.h"
#include "Train.h"

#include <gtest/gtest.h>

namespace {

class Marker : public SceneObject {
public:
    Marker() : SceneObject(1, 2, 3) {}
    void draw(int) override {}
};

}  // namespace

TEST(Registry, IndicesFollowConstructionOrderWhateverTheClass) {
    ASSERT_TRUE(sceneRegistry.empty());
    ControlPoint p1(2, 0.1, 2);
    Marker marker;
    Curve curve;
    ControlPoint p2(-2, 0.1, 2);
    Train train(&curve);

    ASSERT_EQ(sceneRegistry.size(), 5u);
    EXPECT_EQ(sceneRegistry[0], &p1);
    EXPECT_EQ(sceneRegistry[1], &marker);
    EXPECT_EQ(sceneRegistry[2], &curve);
    EXPECT_EQ(sceneRegistry[3], &p2);
    EXPECT_EQ(sceneRegistry[4], &train);
}

TEST(Registry, ManyObjectsKeepTheirIndices) {
    std::vector<std::unique_ptr<ControlPoint>> points;
    for (int k = 0; k < 1000; ++k)
        points.push_back(std::make_unique<ControlPoint>(k, 0, 0));
    ASSERT_EQ(sceneRegistry.size(), 1000u);
    for (int k = 0; k < 1000; ++k) {
        EXPECT_EQ(sceneRegistry[k], points[k].get());
        EXPECT_EQ(sceneRegistry[k]->x, k);
    }
}

TEST(Registry, DestroyingAnObjectLeavesTheRegistryLength) {
    {
        ControlPoint p(0, 0, 0);
        Curve c;
    }
    EXPECT_EQ(sceneRegistry.size(), 2u);
    ControlPoint later(1, 1, 1);
    EXPECT_EQ(sceneRegistry.size(), 3u);
    EXPECT_EQ(sceneRegistry[2], &later);
}

TEST(Registry, OnlyControlPointsAreSelectable) {
    Marker marker;
    ControlPoint point(0, 0, 0);
    Curve curve;
    Train train(&curve);
    EXPECT_EQ(marker.isSelectable(), 0);
    EXPECT_NE(point.isSelectable(), 0);
    EXPECT_EQ(curve.isSelectable(), 0);
    EXPECT_EQ(train.isSelectable(), 0);
}

TEST(Registry, ConstructorsStoreThePosition) {
    ControlPoint p(1.5, -2.5, 3.25);
    Curve curve;
    Train train(&curve);
    EXPECT_EQ(p.x, 1.5);
    EXPECT_EQ(p.y, -2.5);
    EXPECT_EQ(p.z, 3.25);
    EXPECT_EQ(p.owner, nullptr);
    EXPECT_EQ(curve.x, 0);
    EXPECT_EQ(train.y, 0);
    EXPECT_EQ(train.curve, &curve);
}
