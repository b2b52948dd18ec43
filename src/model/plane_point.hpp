#pragma once

namespace korvelant {

// A point of a layout in the plane, in any unit, y upwards as a chemist's depiction has it:
// where RDKit's 2D depiction puts an atom (a bond is about 1.5 long), or where a layout of
// the drawing code puts a vertex.
struct PlanePoint {
  double x = 0;
  double y = 0;
  friend bool operator==(const PlanePoint&, const PlanePoint&) = default;
};

}  // namespace korvelant
