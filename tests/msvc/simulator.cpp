// The simulator functions the module imports, as the test host exports them
// under Microsoft's mangled names (see msvc/imports/). Each one records its
// call; the few with results answer from the world the checks set up.
#include "simulator.h"

#include <windows.h>

#include <cstdio>
#include <cstring>

namespace host {

CallLog call_log;
int date2int_result = 0;
double induced_drag = 0.0;
double wave_drag = 0.0;
AttachmentObject ports[kPortCapacity];
int port_count = 0;
HINSTANCE exit_function_module = nullptr;

void CallLog::Clear() {
  count = 0;
  overflowed = false;
}

int CallLog::CountOf(const char* function) const {
  int found = 0;
  for (int i = 0; i < count; ++i) found += strcmp(calls[i].function, function) == 0 ? 1 : 0;
  return found;
}

const Call* CallLog::Find(const char* function) const {
  for (int i = 0; i < count; ++i) {
    if (strcmp(calls[i].function, function) == 0) return &calls[i];
  }
  return nullptr;
}

void Reset() {
  call_log.Clear();
  memset(ports, 0, sizeof ports);
  port_count = 0;
  date2int_result = 0;
  exit_function_module = nullptr;
}

namespace {

void Add(Call& call, double number) {
  if (call.number_count < 24) call.numbers[call.number_count++] = number;
}
void Add(Call& call, const VECTOR3& vector) {
  Add(call, vector.x);
  Add(call, vector.y);
  Add(call, vector.z);
}
void Add(Call& call, const void* pointer) {
  if (call.pointer_count < 3) call.pointers[call.pointer_count++] = pointer;
}
void Add(Call& call, const char* text) {
  const size_t length = text == nullptr ? 0 : strlen(text);
  const size_t kept = length < sizeof call.text ? length : sizeof call.text - 1;
  memcpy(call.text, text, kept);
  call.text[kept] = '\0';
}
void Add(Call& call, AirfoilCoeffFunc coefficients) { call.coefficients = coefficients; }

template <typename... Arguments>
Call& Record(const char* function, const void* object, Arguments... arguments) {
  // A full log keeps overwriting its last entry and says so.
  call_log.overflowed = call_log.overflowed || call_log.count == CallLog::kCapacity;
  Call& call =
      call_log
          .calls[call_log.count < CallLog::kCapacity ? call_log.count++ : CallLog::kCapacity - 1];
  memset(&call, 0, sizeof call);
  call.function = function;
  call.object = object;
  (Add(call, arguments), ...);
  return call;
}

}  // namespace

unsigned int RecordingSketchpad::SetTextColor(unsigned int colour) {
  Record("Sketchpad::SetTextColor", this, colour);
  return 0;
}

bool RecordingSketchpad::Text(int x, int y, const char* text, int len) {
  // The text as given, len characters, not necessarily terminated.
  char shown[64] = {};
  const int kept = len < 0 ? 0 : (len < 63 ? len : 63);
  memcpy(shown, text, static_cast<size_t>(kept));
  Record("Sketchpad::Text", this, x, y, len, static_cast<const char*>(shown));
  return true;
}

}  // namespace host

using host::Record;

// Test hooks for the module variants: their static initialiser and their
// exit function report here. ExitModule and opcDLLExit of the host itself
// must never be called: the module looks only among its own exports.
extern "C" __declspec(dllexport) void RecordStaticInitialiser() {
  Record("static initialiser", nullptr);
}
extern "C" __declspec(dllexport) void RecordModuleExit(HINSTANCE module) {
  host::exit_function_module = module;
  Record("module exit function", module);
}
extern "C" __declspec(dllexport) void ExitModule(HINSTANCE module) {
  Record("host ExitModule", module);
}
extern "C" __declspec(dllexport) void opcDLLExit(HINSTANCE module) {
  Record("host opcDLLExit", module);
}

// Module support.
void InitLib(HINSTANCE module) { Record("InitLib", module); }
int Date2Int(char* date) {
  Record("Date2Int", nullptr, static_cast<const char*>(date));
  return host::date2int_result;
}

// Objects and scenarios.
double oapiGetMass(VesselHandle vessel) {
  Record("oapiGetMass", vessel);
  return vessel->mass;
}
void oapiGetObjectName(VesselHandle vessel, char* name, int size) {
  Record("oapiGetObjectName", vessel, size);
  const size_t length = strlen(vessel->name);
  const size_t kept = length < static_cast<size_t>(size) ? length : static_cast<size_t>(size) - 1;
  memcpy(name, vessel->name, kept);
  name[kept] = '\0';
}
bool oapiReadScenario_nextline(void* scenario, char*& line) {
  auto* block = static_cast<host::Scenario*>(scenario);
  Record("oapiReadScenario_nextline", scenario);
  if (block->next == block->count) return false;
  line = block->lines[block->next++];
  return true;
}
void oapiWriteScenario_string(void* scenario, char* key, char* value) {
  char entry[64];
  snprintf(entry, sizeof entry, "%s=%s", key, value);
  Record("oapiWriteScenario_string", scenario, static_cast<const char*>(entry));
}

// Drag terms: a known answer each.
double oapiGetInducedDrag(double cl, double aspect_ratio, double efficiency) {
  Record("oapiGetInducedDrag", nullptr, cl, aspect_ratio, efficiency);
  return host::induced_drag;
}
double oapiGetWaveDrag(double mach, double mach1, double mach2, double mach3, double cd_max) {
  Record("oapiGetWaveDrag", nullptr, mach, mach1, mach2, mach3, cd_max);
  return host::wave_drag;
}

// The vessel interface.
VESSEL::VESSEL(VesselHandle vessel, int flight_model)
    : vessel_(vessel), flight_model_(flight_model) {}
VESSEL2::VESSEL2(VesselHandle vessel, int flight_model) : VESSEL(vessel, flight_model) {}
VESSEL3::VESSEL3(VesselHandle vessel, int flight_model) : VESSEL2(vessel, flight_model) {
  Record("VESSEL3::VESSEL3", this, static_cast<const void*>(vessel), flight_model);
}

void VESSEL::SetSize(double size) const { Record("SetSize", this, size); }
void VESSEL::SetEmptyMass(double mass) const { Record("SetEmptyMass", this, mass); }
void VESSEL::SetPMI(const VECTOR3& pmi) const { Record("SetPMI", this, pmi); }
void VESSEL::SetCrossSections(const VECTOR3& cross_sections) const {
  Record("SetCrossSections", this, cross_sections);
}
void VESSEL::SetCW(double z_positive, double z_negative, double x, double y) const {
  Record("SetCW", this, z_positive, z_negative, x, y);
}
void VESSEL::SetRotDrag(const VECTOR3& rot_drag) const { Record("SetRotDrag", this, rot_drag); }
void VESSEL::SetTouchdownPoints(const TOUCHDOWNVTX* points, unsigned long count) const {
  host::Call& call = Record("SetTouchdownPoints", this, count);
  for (unsigned long i = 0; i < count && i < 3; ++i) {
    host::Add(call, points[i].pos);
    host::Add(call, points[i].stiffness);
    host::Add(call, points[i].damping);
    host::Add(call, points[i].mu);
    host::Add(call, points[i].mu_lng);
  }
}
void VESSEL::SetCameraOffset(const VECTOR3& offset) const {
  Record("SetCameraOffset", this, offset);
}
unsigned int VESSEL::AddMesh(const char* name, const VECTOR3* offset) const {
  Record("AddMesh", this, name, static_cast<const void*>(offset));
  return 4;  // an index that is not the first, so a dropped one shows
}
void VESSEL::SetMeshVisibilityMode(unsigned int mesh, unsigned short mode) const {
  Record("SetMeshVisibilityMode", this, mesh, mode);
}
AirfoilHandle VESSEL::CreateAirfoil3(AIRFOIL_ORIENTATION orientation, const VECTOR3& reference,
                                     AirfoilCoeffFunc coefficients, void* context, double chord,
                                     double area, double aspect_ratio) const {
  Record("CreateAirfoil3", this, static_cast<double>(orientation), reference, chord, area,
         aspect_ratio, coefficients, static_cast<const void*>(context));
  static AirfoilObject airfoil;
  return &airfoil;
}
AttachmentHandle VESSEL::CreateAttachment(bool to_parent, const VECTOR3& position,
                                          const VECTOR3& direction, const VECTOR3& rotation,
                                          const char* id, bool loose) const {
  AttachmentObject* port =
      host::port_count < host::kPortCapacity ? &host::ports[host::port_count++] : nullptr;
  Record("CreateAttachment", this, to_parent, position, direction, rotation, id, loose,
         static_cast<const void*>(port));
  return port;
}
VesselHandle VESSEL::GetAttachmentStatus(AttachmentHandle attachment) const {
  Record("GetAttachmentStatus", this, static_cast<const void*>(attachment));
  return attachment->child;
}
bool VESSEL::DetachChild(AttachmentHandle attachment, double velocity) const {
  Record("DetachChild", this, static_cast<const void*>(attachment), velocity);
  attachment->child = nullptr;
  return true;
}
void VESSEL::ParseScenarioLineEx(char* line, void* status) const {
  Record("ParseScenarioLineEx", this, static_cast<const char*>(line), status);
}

// The defaults of the callback table, in its order: each records its name,
// its vessel and its arguments.
void VESSEL2::clbkDefineClass(void* config) { Record("VESSEL2::clbkDefineClass", this, config); }
void VESSEL2::clbkSaveState(void* scenario) { Record("VESSEL2::clbkSaveState", this, scenario); }
void VESSEL2::clbkLoadState(void* scenario, void* status) {
  Record("VESSEL2::clbkLoadState", this, scenario, status);
}
void VESSEL2::clbkSetStateEx(const void* status) {
  Record("VESSEL2::clbkSetStateEx", this, status);
}
void VESSEL2::clbkPostCreation() { Record("VESSEL2::clbkPostCreation", this); }
void VESSEL2::clbkFocusChanged(bool got_focus, void* new_focus, void* old_focus) {
  Record("VESSEL2::clbkFocusChanged", this, got_focus, new_focus, old_focus);
}
void VESSEL2::clbkStepBegin(double sim_time, double sim_step, double mjd) {
  Record("VESSEL2::clbkStepBegin", this, sim_time, sim_step, mjd);
}
void VESSEL2::clbkStepEnd(double sim_time, double sim_step, double mjd) {
  Record("VESSEL2::clbkStepEnd", this, sim_time, sim_step, mjd);
}
bool VESSEL2::clbkPlaybackEvent(double sim_time, double event_time, const char* event_type,
                                const char* event) {
  Record("VESSEL2::clbkPlaybackEvent", this, sim_time, event_time, event_type,
         static_cast<const void*>(event));
  return false;
}
void VESSEL2::clbkVisualCreated(void* visual, int refcount) {
  Record("VESSEL2::clbkVisualCreated", this, visual, refcount);
}
void VESSEL2::clbkVisualDestroyed(void* visual, int refcount) {
  Record("VESSEL2::clbkVisualDestroyed", this, visual, refcount);
}
void VESSEL2::clbkDrawHUD(int mode, const HUDPAINTSPEC* spec, HDC hdc) {
  Record("VESSEL2::clbkDrawHUD", this, mode, static_cast<const void*>(spec),
         static_cast<const void*>(hdc));
}
void VESSEL2::clbkRCSMode(int mode) { Record("VESSEL2::clbkRCSMode", this, mode); }
void VESSEL2::clbkADCtrlMode(unsigned long mode) { Record("VESSEL2::clbkADCtrlMode", this, mode); }
void VESSEL2::clbkHUDMode(int mode) { Record("VESSEL2::clbkHUDMode", this, mode); }
void VESSEL2::clbkMFDMode(int mfd, int mode) { Record("VESSEL2::clbkMFDMode", this, mfd, mode); }
void VESSEL2::clbkNavMode(int mode, bool active) {
  Record("VESSEL2::clbkNavMode", this, mode, active);
}
void VESSEL2::clbkDockEvent(int dock, void* mate) {
  Record("VESSEL2::clbkDockEvent", this, dock, mate);
}
void VESSEL2::clbkAnimate(double sim_time) { Record("VESSEL2::clbkAnimate", this, sim_time); }
int VESSEL2::clbkConsumeDirectKey(char* keyboard_state) {
  Record("VESSEL2::clbkConsumeDirectKey", this, static_cast<const void*>(keyboard_state));
  return 0;
}
int VESSEL2::clbkKeyEvent(int key, bool down, char* keyboard_state) {
  Record("VESSEL2::clbkKeyEvent", this, key, down, static_cast<const void*>(keyboard_state));
  return 0;
}
bool VESSEL2::clbkLoadGenericCockpit() {
  Record("VESSEL2::clbkLoadGenericCockpit", this);
  return false;
}
bool VESSEL2::clbkLoadPanel(int id) {
  Record("VESSEL2::clbkLoadPanel", this, id);
  return false;
}
bool VESSEL2::clbkPanelMouseEvent(int id, int event, int mx, int my) {
  Record("VESSEL2::clbkPanelMouseEvent", this, id, event, mx, my);
  return false;
}
bool VESSEL2::clbkPanelRedrawEvent(int id, int event, void* surface) {
  Record("VESSEL2::clbkPanelRedrawEvent", this, id, event, surface);
  return false;
}
bool VESSEL2::clbkLoadVC(int id) {
  Record("VESSEL2::clbkLoadVC", this, id);
  return false;
}
bool VESSEL2::clbkVCMouseEvent(int id, int event, VECTOR3& point) {
  Record("VESSEL2::clbkVCMouseEvent", this, id, event, point);
  return false;
}
bool VESSEL2::clbkVCRedrawEvent(int id, int event, void* surface) {
  Record("VESSEL2::clbkVCRedrawEvent", this, id, event, surface);
  return false;
}
bool VESSEL3::clbkPanelMouseEvent(int id, int event, int mx, int my, void* context) {
  Record("VESSEL3::clbkPanelMouseEvent", this, id, event, mx, my, context);
  return false;
}
bool VESSEL3::clbkPanelRedrawEvent(int id, int event, void* surface, void* context) {
  Record("VESSEL3::clbkPanelRedrawEvent", this, id, event, surface, context);
  return false;
}
int VESSEL3::clbkGeneric(int message, int prm, void* context) {
  Record("VESSEL3::clbkGeneric", this, message, prm, context);
  return 0;
}
bool VESSEL3::clbkLoadPanel2D(int id, void* panel, unsigned long viewport_width,
                              unsigned long viewport_height) {
  Record("VESSEL3::clbkLoadPanel2D", this, id, panel, viewport_width, viewport_height);
  return false;
}
bool VESSEL3::clbkDrawHUD(int mode, const HUDPAINTSPEC* spec, oapi::Sketchpad* skp) {
  Record("VESSEL3::clbkDrawHUD", this, mode, static_cast<const void*>(spec),
         static_cast<const void*>(skp));
  return false;
}
void VESSEL3::clbkRenderHUD(int mode, const HUDPAINTSPEC* spec, void* texture) {
  Record("VESSEL3::clbkRenderHUD", this, mode, static_cast<const void*>(spec), texture);
}
void VESSEL3::clbkGetRadiationForce(const VECTOR3& mflux, VECTOR3& force, VECTOR3& point) {
  Record("VESSEL3::clbkGetRadiationForce", this, mflux, force, point);
}
