// The simulator's side of the boundary, as the MSVC-ABI test host plays it:
// every function the module imports, each recording its call, and the world
// the checks set up (vessels on ports, scenario lines, drag terms).
#pragma once

#include "host/api.h"
#include "host/sketchpad.h"
#include "host/vessel.h"

// The objects behind the simulator's handles.
struct VesselObject {
  const char* name;
  double mass;
};
struct AttachmentObject {
  VesselObject* child;  // the vessel on the port, or null
};
struct AirfoilObject {
  int unused;
};

namespace host {

// One recorded call: the function, the object it was called on, and its
// arguments by kind, each kind in argument order: numbers (vectors as three
// numbers), pointers, the last text and the last coefficient function.
struct Call {
  const char* function;
  const void* object;
  double numbers[24];
  int number_count;
  const void* pointers[3];
  int pointer_count;
  char text[64];
  AirfoilCoeffFunc coefficients;
};

// Every call since the last Clear(), oldest first.
struct CallLog {
  static constexpr int kCapacity = 96;
  Call calls[kCapacity];
  int count;
  bool overflowed;
  void Clear();
  // The calls of one function, and the first of them (null when none).
  int CountOf(const char* function) const;
  const Call* Find(const char* function) const;
};
extern CallLog call_log;

// A scenario block being read: its lines, the next one to hand out.
struct Scenario {
  char* lines[8];
  int count;
  int next;
};

// What the host's functions answer.
extern HINSTANCE exit_function_module;  // the handle the module's exit function got
extern int date2int_result;
extern double induced_drag;
extern double wave_drag;

// The ports CreateAttachment hands out, in order; Reset() empties them.
constexpr int kPortCapacity = 32;
extern AttachmentObject ports[kPortCapacity];
extern int port_count;
void Reset();

// A drawing surface that records its calls.
class RecordingSketchpad final : public oapi::Sketchpad {
 public:
  unsigned int SetTextColor(unsigned int colour) override;
  bool Text(int x, int y, const char* text, int len) override;
};

}  // namespace host
