// The simulator's plain types, as a vessel module sees them.
#pragma once

#include "host/system.h"

// A vector of three doubles. Positions are metres in the vessel's own frame,
// whose z axis is the vessel's axis; other quantities use the simulator's units.
struct VECTOR3 {
  double x;
  double y;
  double z;
};

// Opaque handles. The simulator owns what they point to; a module only passes
// them back.
struct VesselObject;
struct AttachmentObject;
struct AirfoilObject;
using VesselHandle = VesselObject*;
using AttachmentHandle = AttachmentObject*;
using AirfoilHandle = AirfoilObject*;

// The HUD drawing area: width and height in pixels, then its centre.
struct HUDPAINTSPEC {
  int W;
  int H;
  int CX;
  int CY;
};

// One ground contact point: a position, then the simulator's contact
// parameters, passed through unchanged.
struct TOUCHDOWNVTX {
  VECTOR3 pos;
  double stiffness;
  double damping;
  double mu;
  double mu_lng;
};

enum AIRFOIL_ORIENTATION { LIFT_VERTICAL = 0, LIFT_HORIZONTAL = 1 };

// Mesh visibility modes: a bit set of "seen from outside" and "seen from the
// cockpit".
const unsigned short MESHVIS_EXTERNAL = 1;
const unsigned short MESHVIS_COCKPIT = 2;
const unsigned short MESHVIS_ALWAYS = MESHVIS_EXTERNAL | MESHVIS_COCKPIT;

class VESSEL;

// An airfoil's coefficient function: vessel, angle of attack, Mach number,
// Reynolds number and context in; lift, moment and drag coefficients out.
using AirfoilCoeffFunc = void (*)(VESSEL* vessel, double aoa, double mach, double reynolds,
                                  void* context, double* cl, double* cm, double* cd);
