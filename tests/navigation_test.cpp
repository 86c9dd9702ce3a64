#include "view/navigation.h"

#include <gtest/gtest.h>

#include <numbers>

#include "doc/view_options.h"

namespace vantorel {
namespace {

// Drives the tick state machine the way the timer does, one tick per call.
struct Ticker {
  NavigationState state;
  CameraState camera;
  int mode = kNavRotate;
  int faces = 10;

  TickResult Tick(bool left, PanelPoint cursor, int dx = 0, int dy = 0, bool captured = true) {
    TickInput input{.DX = dx,
                    .DY = dy,
                    .LeftDown = left,
                    .Cursor = cursor,
                    .PanelWidth = 640,
                    .PanelHeight = 480,
                    .NavMode = mode,
                    .MouseCaptured = captured,
                    .FaceCount = faces};
    return NavigationTick(state, input, camera);
  }
};

TEST(NavigationTick, RotatesByTheMovementOfEachTickWhileHeld) {
  Ticker t;
  const TickResult first = t.Tick(true, {100, 100}, 100, -50);
  ASSERT_TRUE(first.Move.has_value());
  EXPECT_EQ(*first.Move, (CameraMove{.Elevation = -0.5f, .Azimuth = -1}));
  EXPECT_EQ(t.state.PressPoint, (PanelPoint{100, 100}));
  // The press point stays where the press began while the cursor travels.
  const TickResult second = t.Tick(true, {700, 900}, 10, 0);
  ASSERT_TRUE(second.Move.has_value());
  EXPECT_FLOAT_EQ(second.Move->Azimuth, -0.1f);
  EXPECT_EQ(t.state.PressPoint, (PanelPoint{100, 100}));
  EXPECT_FALSE(t.Tick(false, {700, 900}, 10, 0).Move.has_value());
  EXPECT_EQ(t.state.PressPoint, (PanelPoint{700, 900}));
}

TEST(NavigationTick, APressThatStartsOutsideTheViewMovesNothing) {
  Ticker t;
  EXPECT_FALSE(t.Tick(true, {640, 10}, 5, 5).Move.has_value());
  EXPECT_FALSE(t.Tick(true, {300, 200}, 50, 50).Move.has_value());  // dragged over the view
  EXPECT_FALSE(t.Tick(true, {300, 200}, 50, 50).Move.has_value());
  EXPECT_FALSE(t.Tick(false, {300, 200}).Move.has_value());
  EXPECT_TRUE(t.Tick(true, {300, 200}, 1, 0).Move.has_value());  // a new press inside
}

TEST(NavigationTick, TheViewEndsAtItsSize) {
  for (PanelPoint outside :
       {PanelPoint{-1, 5}, PanelPoint{5, -1}, PanelPoint{640, 5}, PanelPoint{5, 480}}) {
    Ticker t;
    EXPECT_FALSE(t.Tick(true, outside, 1, 1).Move.has_value()) << outside.X << "," << outside.Y;
  }
  Ticker corner;
  EXPECT_TRUE(corner.Tick(true, {639, 479}, 1, 1).Move.has_value());
  Ticker origin;
  EXPECT_TRUE(origin.Tick(true, {0, 0}, 1, 1).Move.has_value());
}

TEST(NavigationTick, ZoomsByHalfTheVerticalMovement) {
  Ticker t;
  t.mode = kNavZoom;
  const TickResult result = t.Tick(true, {10, 10}, 40, -30);
  ASSERT_TRUE(result.Move.has_value());
  EXPECT_EQ(*result.Move, (CameraMove{.Distance = -15}));
}

TEST(NavigationTick, MovesTheTargetRelativeToTheViewingDirection) {
  Ticker t;
  t.mode = kNavMove;
  TickResult result = t.Tick(true, {10, 10}, 20, 10);
  ASSERT_TRUE(result.Move.has_value());
  EXPECT_NEAR(result.Move->TargetX, -1, 1e-6f);  // (20 sin 0 - 10 cos 0) / 10
  EXPECT_EQ(result.Move->TargetY, 0);
  EXPECT_NEAR(result.Move->TargetZ, -2, 1e-6f);  // -(20 cos 0 + 10 sin 0) / 10
  t.camera.Azimuth = std::numbers::pi_v<float> / 2;
  result = t.Tick(true, {10, 10}, 20, 10);
  EXPECT_NEAR(result.Move->TargetX, 2, 1e-5f);
  EXPECT_NEAR(result.Move->TargetZ, -1, 1e-5f);
  EXPECT_EQ(result.Move->Distance, 0);
  EXPECT_EQ(result.Move->Azimuth, 0);
}

TEST(NavigationTick, PicksOncePerPress) {
  Ticker t;
  t.mode = kNavPick;
  const TickResult first = t.Tick(true, {50, 60}, 3, 3);
  ASSERT_TRUE(first.Pick.has_value());
  EXPECT_EQ(*first.Pick, (PanelPoint{50, 60}));
  EXPECT_FALSE(first.Move.has_value());
  EXPECT_FALSE(t.Tick(true, {80, 90}).Pick.has_value());
  EXPECT_FALSE(t.Tick(false, {80, 90}).Pick.has_value());
  const TickResult again = t.Tick(true, {80, 90});
  ASSERT_TRUE(again.Pick.has_value());
  EXPECT_EQ(*again.Pick, (PanelPoint{80, 90}));
}

TEST(NavigationTick, NoPickWithoutFacesOrWithoutTheMouse) {
  Ticker t;
  t.mode = kNavPick;
  t.faces = 0;
  EXPECT_FALSE(t.Tick(true, {50, 60}).Pick.has_value());
  EXPECT_FALSE(t.state.PickDone);
  t.faces = 3;  // faces arrive while the button is still held: the press may still pick
  EXPECT_TRUE(t.Tick(true, {50, 60}).Pick.has_value());

  Ticker elsewhere;
  elsewhere.mode = kNavPick;
  EXPECT_FALSE(elsewhere.Tick(true, {50, 60}, 0, 0, false).Pick.has_value());
  EXPECT_FALSE(elsewhere.state.PickDone);
}

TEST(NavigationTick, UnknownModesDoNothing) {
  Ticker t;
  t.mode = 7;
  const TickResult result = t.Tick(true, {50, 60}, 9, 9);
  EXPECT_FALSE(result.Move.has_value());
  EXPECT_FALSE(result.Pick.has_value());
}

TEST(NavigationTick, RotationThroughMoveCameraWrapsTheAzimuth) {
  Ticker t;
  const TickResult result = t.Tick(true, {1, 1}, 100, 0);
  MoveCamera(t.camera, *result.Move);
  EXPECT_NEAR(t.camera.Azimuth, 2 * std::numbers::pi_v<float> - 1, 1e-6f);
}

TEST(NavigationKey, PageAndArrowKeysOnlyWhenEnabled) {
  for (NavKey key :
       {NavKey::PageUp, NavKey::PageDown, NavKey::Left, NavKey::Right, NavKey::Up, NavKey::Down}) {
    const KeyResult off = NavigationKey(key, false);
    EXPECT_FALSE(off.Move.has_value());
    EXPECT_TRUE(NavigationKey(key, true).Move.has_value());
  }
  EXPECT_EQ(*NavigationKey(NavKey::PageUp, true).Move, (CameraMove{.Distance = -0.5f}));
  EXPECT_EQ(*NavigationKey(NavKey::PageDown, true).Move, (CameraMove{.Distance = 0.5f}));
  EXPECT_EQ(*NavigationKey(NavKey::Left, true).Move, (CameraMove{.Azimuth = 0.17453292f}));
  EXPECT_EQ(*NavigationKey(NavKey::Right, true).Move, (CameraMove{.Azimuth = -0.17453292f}));
  EXPECT_EQ(*NavigationKey(NavKey::Up, true).Move, (CameraMove{.Elevation = -0.17453292f}));
  EXPECT_EQ(*NavigationKey(NavKey::Down, true).Move, (CameraMove{.Elevation = 0.17453292f}));
}

}  // namespace
}  // namespace vantorel
