#pragma once

// The visual status the owner-drawn buttons keep.
enum ButtonStatus {
  kStatusNormal = 0,
  kStatusPressed = 1,
  kStatusHover = 2,
  kStatusDisable = 3,
};
