// The MSVC-ABI test host: it loads vantrel.dll with the Windows loader, as the
// simulator's executable does, and checks the module through its exports and
// its callback slots. Each check is a named case with one sentence of what
// must hold. Usage: orbiter.exe [GROUP...]; without a group it runs them all.
#include <windows.h>

#include <cmath>
#include <cstdio>
#include <cstring>

#include "host/module.h"
#include "simulator.h"
#include "vessel/vantrel.h"

namespace {

// --- Reporting -------------------------------------------------------------

int failures = 0;
bool check_failed = false;

void Expect(bool holds, const char* what) {
  if (holds) return;
  ++failures;
  check_failed = true;
  printf("    not so: %s\n", what);
}

bool SameText(const char* left, const char* right) { return strcmp(left, right) == 0; }

// --- The module ------------------------------------------------------------

const char kModulePath[] = "Modules\\vantrel.dll";
const char kExitModuleVariant[] = "Modules\\vantrel_exit_module.dll";
const char kDllExitVariant[] = "Modules\\vantrel_dll_exit.dll";

struct Module {
  HMODULE handle = nullptr;
  OvcInitFunction ovcInit = nullptr;
  OvcExitFunction ovcExit = nullptr;
  ModuleDateFunction ModuleDate = nullptr;
  GetModuleVersionFunction GetModuleVersion = nullptr;
};

template <typename Function>
Function Export(HMODULE module, const char* name) {
  return reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(module, name)));
}

// Loads a module afresh: its globals start over.
Module Load(const char* path) {
  Module module;
  module.handle = LoadLibraryA(path);
  Expect(module.handle != nullptr, "the module loads");
  if (module.handle == nullptr) return module;
  module.ovcInit = Export<OvcInitFunction>(module.handle, "ovcInit");
  module.ovcExit = Export<OvcExitFunction>(module.handle, "ovcExit");
  module.ModuleDate = Export<ModuleDateFunction>(module.handle, "ModuleDate");
  module.GetModuleVersion = Export<GetModuleVersionFunction>(module.handle, "GetModuleVersion");
  Expect(module.ovcInit != nullptr && module.ovcExit != nullptr && module.ModuleDate != nullptr &&
             module.GetModuleVersion != nullptr,
         "all four entry points are exported");
  return module;
}

void Unload(Module& module) {
  if (module.handle != nullptr) FreeLibrary(module.handle);
  module.handle = nullptr;
}

// A ring made by ovcInit and set up by its first callback, reached only
// through the callback slots (a call on the final class itself could skip
// them).
struct Ring {
  Module module;
  VesselObject object = {"ring", 0.0};
  VESSEL* vessel = nullptr;
  vantrel* instance = nullptr;

  VESSEL3& callbacks() const { return *instance; }

  explicit Ring(bool define_class = true) : module(Load(kModulePath)) {
    host::Reset();
    if (module.ovcInit == nullptr) return;
    vessel = module.ovcInit(&object, 1);
    Expect(vessel != nullptr, "ovcInit gives an instance");
    if (vessel == nullptr) return;
    instance = static_cast<vantrel*>(vessel);
    if (define_class) callbacks().clbkDefineClass(nullptr);
    host::call_log.Clear();
  }
  Ring(const Ring&) = delete;
  Ring(Ring&&) = delete;
  Ring& operator=(const Ring&) = delete;
  Ring& operator=(Ring&&) = delete;
  ~Ring() {
    if (vessel != nullptr) module.ovcExit(vessel);
    Unload(module);
  }
  bool ready() const { return instance != nullptr; }
};

bool NumbersAre(const host::Call& call, const double* expected, int count) {
  if (call.number_count != count) return false;
  for (int i = 0; i < count; ++i) {
    if (call.numbers[i] != expected[i]) return false;
  }
  return true;
}

// --- Load handler ------------------------------------------------------------

void InitLibOnceWithTheModulesHandle() {
  host::Reset();
  Module module = Load(kModulePath);
  Expect(host::call_log.CountOf("InitLib") == 1, "InitLib is called once");
  const host::Call* init = host::call_log.Find("InitLib");
  Expect(init != nullptr && init->object == module.handle, "InitLib gets the module's handle");
  Unload(module);
  Expect(host::call_log.CountOf("InitLib") == 1, "unloading calls InitLib no more");
}

void NoExitFunctionAmongTheModulesExports() {
  host::Reset();
  Module module = Load(kModulePath);
  Expect(GetProcAddress(module.handle, "ExitModule") == nullptr &&
             GetProcAddress(module.handle, "opcDLLExit") == nullptr,
         "the module exports neither exit name");
  Unload(module);
  Expect(host::call_log.CountOf("module exit function") == 0, "unload calls no exit function");
  Expect(host::call_log.CountOf("host ExitModule") == 0 &&
             host::call_log.CountOf("host opcDLLExit") == 0,
         "the host's own ExitModule and opcDLLExit are not picked up");
}

DWORD WINAPI DoNothing(LPVOID /*parameter*/) { return 0; }

void ThreadNotificationsChangeNothing() {
  host::Reset();
  Module module = Load(kExitModuleVariant);
  host::call_log.Clear();
  HANDLE thread = CreateThread(nullptr, 0, DoNothing, nullptr, 0, nullptr);
  Expect(thread != nullptr, "a thread starts while the module is loaded");
  if (thread != nullptr) {
    WaitForSingleObject(thread, INFINITE);
    CloseHandle(thread);
  }
  Expect(host::call_log.count == 0, "its start and end call neither InitLib nor the exit function");
  Unload(module);
  Expect(host::call_log.CountOf("module exit function") == 1,
         "the exit function found at load is called at unload");
}

void ExitFunctionOfVariant(const char* path) {
  host::Reset();
  Module module = Load(path);
  Expect(host::call_log.count >= 2 &&
             SameText(host::call_log.calls[0].function, "static initialiser") &&
             SameText(host::call_log.calls[1].function, "InitLib"),
         "the static initialiser runs first, then the load handler");
  Expect(host::call_log.CountOf("module exit function") == 0, "loading calls no exit function");
  const HMODULE handle = module.handle;
  Unload(module);
  Expect(host::call_log.CountOf("module exit function") == 1,
         "unload calls the exported exit function once");
  Expect(host::exit_function_module == handle, "the exit function gets the module's handle");
  Expect(host::call_log.CountOf("host ExitModule") == 0 &&
             host::call_log.CountOf("host opcDLLExit") == 0,
         "the host's own exit functions are not called");
}

void ExportedExitModuleIsCalledAtUnload() { ExitFunctionOfVariant(kExitModuleVariant); }
void ExportedOpcDllExitIsCalledAtUnload() { ExitFunctionOfVariant(kDllExitVariant); }

// --- Entry points -------------------------------------------------------------

void OvcInitHandsItsArgumentsToTheBase() {
  Ring ring(false);
  if (!ring.ready()) return;
  ring.module.ovcExit(ring.module.ovcInit(&ring.object, 7));
  const host::Call* constructor = host::call_log.Find("VESSEL3::VESSEL3");
  Expect(constructor != nullptr && constructor->pointers[0] == &ring.object &&
             constructor->numbers[0] == 7.0,
         "VESSEL3's constructor gets the vessel handle and the flight model unchanged");
  Expect(constructor != nullptr && static_cast<const VESSEL*>(
                                       static_cast<const VESSEL3*>(constructor->object)) != nullptr,
         "the constructor runs on the instance");
  Expect(static_cast<VESSEL*>(static_cast<VESSEL3*>(ring.instance)) == ring.vessel,
         "ovcInit returns the instance's VESSEL base");
  host::call_log.Clear();
  ring.module.ovcExit(nullptr);
  Expect(host::call_log.count == 0, "ovcExit(null) does nothing");
}

void ModuleDateIsTheBuildDateEveryCall() {
  Module module = Load(kModulePath);
  if (module.ModuleDate == nullptr) return;
  const char* first = module.ModuleDate();
  Expect(SameText(first, "Jul 11 2018"), "the text is \"Jul 11 2018\"");
  Expect(module.ModuleDate() == first, "every call gives the same pointer");
  Unload(module);
}

void GetModuleVersionAsksDate2IntOnce() {
  host::Reset();
  Module module = Load(kModulePath);
  if (module.GetModuleVersion == nullptr) return;
  host::date2int_result = 160828;
  bool all_same = true;
  for (int call = 0; call < 3; ++call) all_same = all_same && module.GetModuleVersion() == 160828;
  Expect(all_same, "every call gives Date2Int's answer");
  Expect(host::call_log.CountOf("Date2Int") == 1, "Date2Int is asked once");
  const host::Call* date = host::call_log.Find("Date2Int");
  Expect(date != nullptr && SameText(date->text, "Aug 28 2016"), "it is asked for \"Aug 28 2016\"");
  Unload(module);
}

void GetModuleVersionAsksAgainWhileTheAnswerIsZero() {
  host::Reset();
  Module module = Load(kModulePath);
  if (module.GetModuleVersion == nullptr) return;
  host::date2int_result = 0;
  bool zero = true;
  for (int call = 0; call < 2; ++call) zero = zero && module.GetModuleVersion() == 0;
  Expect(zero && host::call_log.CountOf("Date2Int") == 2, "each call asks Date2Int again");
  Unload(module);
}

// --- Callback slots ------------------------------------------------------------

int marker[3];
void* const kFirst = &marker[0];
void* const kSecond = &marker[1];
char keyboard_marker[256];

// A default row of the callback table: the call through the ring's slot, and
// the name and arguments the simulator's default must receive.
struct DefaultRow {
  const char* function;
  void (*call)(VESSEL3& ring);
  double numbers[9];
  const void* pointers[2];
  int number_count;
  int pointer_count;
};

VECTOR3 mflux = {1.0, 2.0, 3.0};
VECTOR3 force = {4.0, 5.0, 6.0};
VECTOR3 point = {7.0, 8.0, 9.0};
const HUDPAINTSPEC kSpec = {1024, 768, 512, 384};
HDC device_context = reinterpret_cast<HDC>(&marker[2]);

const DefaultRow kDefaultRows[] = {
    {"VESSEL2::clbkSetStateEx", [](VESSEL3& r) { r.clbkSetStateEx(kFirst); }, {}, {kFirst}, 0, 1},
    {"VESSEL2::clbkPostCreation", [](VESSEL3& r) { r.clbkPostCreation(); }, {}, {}, 0, 0},
    {"VESSEL2::clbkFocusChanged",
     [](VESSEL3& r) { r.clbkFocusChanged(true, kFirst, kSecond); },
     {1},
     {kFirst, kSecond},
     1,
     2},
    {"VESSEL2::clbkPlaybackEvent",
     [](VESSEL3& r) { r.clbkPlaybackEvent(1.5, 2.5, "type", static_cast<const char*>(kSecond)); },
     {1.5, 2.5},
     {kSecond},
     2,
     1},
    {"VESSEL2::clbkVisualCreated",
     [](VESSEL3& r) { r.clbkVisualCreated(kFirst, 3); },
     {3},
     {kFirst},
     1,
     1},
    {"VESSEL2::clbkVisualDestroyed",
     [](VESSEL3& r) { r.clbkVisualDestroyed(kFirst, 4); },
     {4},
     {kFirst},
     1,
     1},
    {"VESSEL2::clbkDrawHUD",
     [](VESSEL3& r) { r.clbkDrawHUD(2, &kSpec, device_context); },
     {2},
     {&kSpec, &marker[2]},
     1,
     2},
    {"VESSEL2::clbkRCSMode", [](VESSEL3& r) { r.clbkRCSMode(5); }, {5}, {}, 1, 0},
    {"VESSEL2::clbkADCtrlMode", [](VESSEL3& r) { r.clbkADCtrlMode(6); }, {6}, {}, 1, 0},
    {"VESSEL2::clbkHUDMode", [](VESSEL3& r) { r.clbkHUDMode(7); }, {7}, {}, 1, 0},
    {"VESSEL2::clbkMFDMode", [](VESSEL3& r) { r.clbkMFDMode(8, 9); }, {8, 9}, {}, 2, 0},
    {"VESSEL2::clbkNavMode", [](VESSEL3& r) { r.clbkNavMode(10, true); }, {10, 1}, {}, 2, 0},
    {"VESSEL2::clbkDockEvent",
     [](VESSEL3& r) { r.clbkDockEvent(11, kFirst); },
     {11},
     {kFirst},
     1,
     1},
    {"VESSEL2::clbkAnimate", [](VESSEL3& r) { r.clbkAnimate(12.5); }, {12.5}, {}, 1, 0},
    {"VESSEL2::clbkConsumeDirectKey",
     [](VESSEL3& r) { r.clbkConsumeDirectKey(keyboard_marker); },
     {},
     {keyboard_marker},
     0,
     1},
    {"VESSEL2::clbkLoadGenericCockpit",
     [](VESSEL3& r) { r.clbkLoadGenericCockpit(); },
     {},
     {},
     0,
     0},
    {"VESSEL2::clbkLoadPanel", [](VESSEL3& r) { r.clbkLoadPanel(13); }, {13}, {}, 1, 0},
    {"VESSEL2::clbkPanelMouseEvent",
     [](VESSEL3& r) { r.clbkPanelMouseEvent(14, 15, 16, 17); },
     {14, 15, 16, 17},
     {},
     4,
     0},
    {"VESSEL2::clbkPanelRedrawEvent",
     [](VESSEL3& r) { r.clbkPanelRedrawEvent(18, 19, kFirst); },
     {18, 19},
     {kFirst},
     2,
     1},
    {"VESSEL2::clbkLoadVC", [](VESSEL3& r) { r.clbkLoadVC(20); }, {20}, {}, 1, 0},
    {"VESSEL2::clbkVCMouseEvent",
     [](VESSEL3& r) { r.clbkVCMouseEvent(21, 22, mflux); },
     {21, 22, 1, 2, 3},
     {},
     5,
     0},
    {"VESSEL2::clbkVCRedrawEvent",
     [](VESSEL3& r) { r.clbkVCRedrawEvent(23, 24, kFirst); },
     {23, 24},
     {kFirst},
     2,
     1},
    {"VESSEL3::clbkPanelMouseEvent",
     [](VESSEL3& r) { r.clbkPanelMouseEvent(25, 26, 27, 28, kFirst); },
     {25, 26, 27, 28},
     {kFirst},
     4,
     1},
    {"VESSEL3::clbkPanelRedrawEvent",
     [](VESSEL3& r) { r.clbkPanelRedrawEvent(29, 30, kFirst, kSecond); },
     {29, 30},
     {kFirst, kSecond},
     2,
     2},
    {"VESSEL3::clbkGeneric",
     [](VESSEL3& r) { r.clbkGeneric(31, 32, kFirst); },
     {31, 32},
     {kFirst},
     2,
     1},
    {"VESSEL3::clbkLoadPanel2D",
     [](VESSEL3& r) { r.clbkLoadPanel2D(33, kFirst, 34, 35); },
     {33, 34, 35},
     {kFirst},
     3,
     1},
    {"VESSEL3::clbkRenderHUD",
     [](VESSEL3& r) { r.clbkRenderHUD(36, &kSpec, kFirst); },
     {36},
     {&kSpec, kFirst},
     1,
     2},
    {"VESSEL3::clbkGetRadiationForce",
     [](VESSEL3& r) { r.clbkGetRadiationForce(mflux, force, point); },
     {1, 2, 3, 4, 5, 6, 7, 8, 9},
     {},
     9,
     0},
};

void EachDefaultSlotReachesItsDefault() {
  Ring ring;
  if (!ring.ready()) return;
  Expect(sizeof kDefaultRows / sizeof kDefaultRows[0] == 28, "the table has 28 default rows");
  const void* const base = static_cast<VESSEL2*>(ring.instance);
  for (const DefaultRow& row : kDefaultRows) {
    host::call_log.Clear();
    row.call(ring.callbacks());
    const host::Call& call = host::call_log.calls[0];
    bool same = host::call_log.count == 1 && SameText(call.function, row.function) &&
                call.object == base && NumbersAre(call, row.numbers, row.number_count) &&
                call.pointer_count == row.pointer_count;
    for (int i = 0; same && i < row.pointer_count; ++i) same = call.pointers[i] == row.pointers[i];
    if (!same)
      printf("    slot of %s reached %s\n", row.function,
             host::call_log.count > 0 ? call.function : "nothing");
    Expect(same, "the default of the row is called once, on the ring, with the arguments");
  }
}

// --- Class setup ----------------------------------------------------------------

struct SetupRow {
  const char* function;
  double numbers[22];
  int number_count;
  const char* text;
};

const SetupRow kSetupRows[] = {
    {"SetSize", {2}, 1, ""},
    {"SetEmptyMass", {200}, 1, ""},
    {"SetPMI", {2, 2, 0.75}, 3, ""},
    {"SetCrossSections", {5, 5, 3}, 3, ""},
    {"SetCW", {1, 1, 1, 1}, 4, ""},
    {"SetRotDrag", {2, 2, 1}, 3, ""},
    {"SetTouchdownPoints",
     {3,   0,   -1,  5,   1e6, 1e6, 0.7, 0.7, -2,  -1,  -5,
      1e6, 1e6, 0.7, 0.7, 2,   -1,  -5,  1e6, 1e6, 0.7, 0.7},
     22,
     ""},
    {"SetCameraOffset", {0, 2, -2}, 3, ""},
    {"AddMesh", {}, 0, "Quendrall/vantrel"},
    {"SetMeshVisibilityMode", {4, 3}, 2, ""},
    {"CreateAirfoil3", {0, 0, 0, 1, 1, 2, 1}, 7, ""},
    {"CreateAirfoil3", {1, 0, 0, 1, 1, 2, 1}, 7, ""},
    {"CreateAttachment", {0, 0.987, 0, 1.09, 1, 0, 0, 0, 0, 1, 0}, 11, "PL1"},
    {"CreateAttachment", {0, 0, 0.987, 1.09, 0, 1, 0, 0, 0, 1, 0}, 11, "PL2"},
    {"CreateAttachment", {0, -0.987, 0, 1.09, -1, 0, 0, 0, 0, 1, 0}, 11, "PL3"},
    {"CreateAttachment", {0, 0, -0.987, 1.09, 0, -1, 0, 0, 0, 1, 0}, 11, "PL4"},
    {"CreateAttachment", {0, 0.987, 0, 0, 1, 0, 0, 0, 0, 1, 0}, 11, "PL5"},
    {"CreateAttachment", {0, 0, 0.987, 0, 0, 1, 0, 0, 0, 1, 0}, 11, "PL6"},
    {"CreateAttachment", {0, -0.987, 0, 0, -1, 0, 0, 0, 0, 1, 0}, 11, "PL7"},
    {"CreateAttachment", {0, 0, -0.987, 0, 0, -1, 0, 0, 0, 1, 0}, 11, "PL8"},
    {"CreateAttachment", {0, 0.987, 0, -1.09, 1, 0, 0, 0, 0, 1, 0}, 11, "PL9"},
    {"CreateAttachment", {0, 0, 0.987, -1.09, 0, 1, 0, 0, 0, 1, 0}, 11, "PL10"},
    {"CreateAttachment", {0, -0.987, 0, -1.09, -1, 0, 0, 0, 0, 1, 0}, 11, "PL11"},
    {"CreateAttachment", {0, 0, -0.987, -1.09, 0, -1, 0, 0, 0, 1, 0}, 11, "PL12"},
};

void ClassSetupTellsTheSimulatorTheRing() {
  Ring ring(false);
  if (!ring.ready()) return;
  ring.instance->next_payload = 9;  // whatever the instance held before
  ring.callbacks().clbkDefineClass(nullptr);
  const int rows = sizeof kSetupRows / sizeof kSetupRows[0];
  Expect(host::call_log.count == rows, "one simulator call per row, nothing else");
  for (int i = 0; i < rows && i < host::call_log.count; ++i) {
    const host::Call& call = host::call_log.calls[i];
    const SetupRow& row = kSetupRows[i];
    const bool same = SameText(call.function, row.function) && call.object == ring.vessel &&
                      NumbersAre(call, row.numbers, row.number_count) &&
                      SameText(call.text, row.text);
    if (!same) printf("    call %d is %s, expected %s\n", i + 1, call.function, row.function);
    Expect(same, "each call in its place with its values, on the ring's VESSEL base");
  }
  const host::Call* mesh = host::call_log.Find("AddMesh");
  Expect(mesh != nullptr && mesh->pointers[0] == nullptr, "the mesh is added without an offset");
  Expect(ring.instance->next_payload == 0, "next_payload is 0 afterwards");
  bool ports_kept = true;
  for (int port = 0; port < kPayloadPortCount; ++port) {
    ports_kept = ports_kept && ring.instance->payload_port[port] == &host::ports[port];
  }
  Expect(ports_kept, "payload_port holds the twelve handles in creation order");
}

// --- Coefficient functions --------------------------------------------------------

const double kHalfPi = 1.5707963267948966;
const double kPi = 3.141592653589793;

void CoefficientFunctionsGiveDragOnly() {
  Ring ring(false);
  if (!ring.ready()) return;
  ring.callbacks().clbkDefineClass(nullptr);
  AirfoilCoeffFunc functions[2] = {};
  int found = 0;
  for (int i = 0; i < host::call_log.count && found < 2; ++i) {
    const host::Call& call = host::call_log.calls[i];
    if (SameText(call.function, "CreateAirfoil3")) {
      Expect(call.pointer_count == 1 && call.pointers[0] == nullptr,
             "each airfoil is made without a context");
      functions[found++] = call.coefficients;
    }
  }
  Expect(found == 2 && functions[0] != nullptr && functions[1] != nullptr &&
             functions[0] != functions[1],
         "two airfoils with functions of their own");
  if (found != 2 || functions[0] == nullptr || functions[1] == nullptr) return;
  host::induced_drag = 0.25;
  host::wave_drag = 0.125;
  const double host_terms = 0.25 + 0.125;
  double cl = -1;
  double cm = -1;
  double cd = -1;

  host::call_log.Clear();
  functions[0](ring.vessel, 0.0, 0.9, 1e6, nullptr, &cl, &cm, &cd);
  Expect(cl == 0 && cm == 0 && fabs(cd - (0.03 + host_terms)) < 1e-12,
         "vertical at 0: no lift, no moment, drag 0.03 plus the simulator's terms");
  const double induced[] = {0, 1.5, 0.7};
  const double wave[] = {0.9, 0.75, 1.0, 1.1, 0.04};
  const host::Call* induced_call = host::call_log.Find("oapiGetInducedDrag");
  const host::Call* wave_call = host::call_log.Find("oapiGetWaveDrag");
  Expect(induced_call != nullptr && NumbersAre(*induced_call, induced, 3),
         "induced drag is asked with (cl, 1.5, 0.7)");
  Expect(wave_call != nullptr && NumbersAre(*wave_call, wave, 5),
         "wave drag is asked with (M, 0.75, 1.0, 1.1, 0.04)");
  const double drag_at_zero = cd;
  functions[0](ring.vessel, kHalfPi, 0.9, 1e6, nullptr, &cl, &cm, &cd);
  Expect(cl == 0 && fabs(cd - drag_at_zero - 0.4) < 1e-12, "vertical at pi/2: 0.4 more drag");
  functions[0](ring.vessel, -kPi, 0.9, 1e6, nullptr, &cl, &cm, &cd);
  Expect(cl == 0 && cm == 0, "vertical at -pi: no lift");
  functions[1](ring.vessel, kHalfPi, 0.9, 1e6, nullptr, &cl, &cm, &cd);
  Expect(cl == 0 && cm == 0 && fabs(cd - (0.03 + host_terms)) < 1e-12,
         "horizontal at pi/2: no lift, no moment, no angle term");
}

// --- Keys and mass ------------------------------------------------------------------

const int kKeyJ = 0x24;
const int kKeyN = 0x31;
const int kKeyK = 0x25;
const char kHeld = static_cast<char>(0x80);

const host::Call* LastCall() {
  return host::call_log.count > 0 ? &host::call_log.calls[host::call_log.count - 1] : nullptr;
}

void StepSetsRingPlusPayloadMass() {
  Ring ring;
  if (!ring.ready()) return;
  VesselObject light = {"Light", 150.0};
  VesselObject heavy = {"Heavy", 250.0};
  host::ports[0].child = &light;
  host::ports[4].child = &heavy;
  ring.callbacks().clbkStepBegin(1.0, 0.1, 51000.0);
  Expect(host::call_log.CountOf("GetAttachmentStatus") == 12, "every port is asked each step");
  Expect(host::call_log.CountOf("oapiGetMass") == 2, "only the attached payloads are weighed");
  const host::Call* last = LastCall();
  Expect(last != nullptr && SameText(last->function, "SetEmptyMass") && last->numbers[0] == 600.0,
         "150 kg on PL1 and 250 kg on PL5: empty mass 600 kg");

  char keyboard[256] = {};
  host::call_log.Clear();
  Expect(ring.callbacks().clbkKeyEvent(kKeyJ, true, keyboard) == 1, "J is acted on");
  const host::Call* detach = host::call_log.Find("DetachChild");
  Expect(detach != nullptr && detach->pointers[0] == &host::ports[0] && detach->numbers[0] == 0.3,
         "J releases PL1 at 0.3 m/s");
  Expect(ring.instance->next_payload == 1, "and selects PL2");
  ring.callbacks().clbkStepBegin(1.1, 0.1, 51000.0);
  last = LastCall();
  Expect(last != nullptr && last->numbers[0] == 450.0, "the next step counts 450 kg");
  host::call_log.Clear();
  ring.callbacks().clbkStepEnd(1.1, 0.1, 51000.0);
  Expect(host::call_log.count == 0, "clbkStepEnd does nothing");
}

void ShiftOrCtrlBlocksTheKeys() {
  Ring ring;
  if (!ring.ready()) return;
  const int blocking[] = {0x2A, 0x36, 0x1D, 0x9D};
  for (int modifier : blocking) {
    char keyboard[256] = {};
    keyboard[modifier] = kHeld;
    const bool declined = ring.callbacks().clbkKeyEvent(kKeyJ, true, keyboard) == 0 &&
                          ring.callbacks().clbkKeyEvent(kKeyN, true, keyboard) == 0;
    Expect(
        declined && ring.instance->next_payload == 0 && host::call_log.CountOf("DetachChild") == 0,
        "J and N with Shift or Ctrl held return 0 and change nothing");
  }
  char keyboard[256] = {};
  keyboard[0x38] = kHeld;  // Alt does not block
  Expect(
      ring.callbacks().clbkKeyEvent(kKeyN, true, keyboard) == 1 && ring.instance->next_payload == 1,
      "N with Alt held selects the next port");
  keyboard[0x38] = 0;
  Expect(ring.callbacks().clbkKeyEvent(kKeyN, false, keyboard) == 0 &&
             ring.callbacks().clbkKeyEvent(kKeyK, true, keyboard) == 0 &&
             ring.instance->next_payload == 1,
         "a key release and other keys return 0 and change nothing");
}

void SelectionWrapsFromPl12ToPl1() {
  Ring ring;
  if (!ring.ready()) return;
  char keyboard[256] = {};
  ring.instance->next_payload = 11;
  Expect(
      ring.callbacks().clbkKeyEvent(kKeyN, true, keyboard) == 1 && ring.instance->next_payload == 0,
      "N on PL12 selects PL1");
  ring.instance->next_payload = 11;
  Expect(
      ring.callbacks().clbkKeyEvent(kKeyJ, true, keyboard) == 1 && ring.instance->next_payload == 0,
      "J on PL12 selects PL1");
  const host::Call* detach = host::call_log.Find("DetachChild");
  Expect(detach != nullptr && detach->pointers[0] == &host::ports[11],
         "J on an empty PL12 still asks for its release");
}

// --- HUD readout -----------------------------------------------------------------------

struct HudRow {
  int width;
  int height;
  int x;
  int y[3];
};

const HudRow kWorkedPositions[] = {
    {1024, 768, 10, {167, 183, 199}},
    {1280, 1024, 10, {223, 245, 266}},
    {1280, 800, 210, {83, 100, 117}},
    {1280, 720, 210, {75, 90, 105}},
};

void HudLinesAtTheWorkedPositions() {
  Ring ring;
  if (!ring.ready()) return;
  VesselObject cargo = {"Cargo-1", 100.0};
  host::RecordingSketchpad sketchpad;
  for (const HudRow& row : kWorkedPositions) {
    const HUDPAINTSPEC spec = {row.width, row.height, row.width / 2, row.height / 2};
    host::ports[0].child = row.height == 720 ? &cargo : nullptr;
    host::call_log.Clear();
    Expect(ring.callbacks().clbkDrawHUD(3, &spec, &sketchpad), "the readout answers true");
    const char* const texts[3] = {
        "J = Jettison Payload", "N = Select Next Payload",
        row.height == 720 ? "Next Payload = Cargo-1" : "Next Payload = none"};
    const host::Call& base = host::call_log.calls[0];
    Expect(SameText(base.function, "VESSEL3::clbkDrawHUD") && base.numbers[0] == 3 &&
               base.pointers[0] == &spec && base.pointers[1] == &sketchpad,
           "the simulator's HUD is drawn first, with the same arguments");
    int line = 0;
    bool colour_set = false;
    for (int i = 1; i < host::call_log.count; ++i) {
      const host::Call& call = host::call_log.calls[i];
      if (SameText(call.function, "Sketchpad::SetTextColor")) {
        colour_set = call.numbers[0] == 0x66ff66;
      } else if (SameText(call.function, "Sketchpad::Text") && line < 3) {
        const double expected[] = {static_cast<double>(row.x), static_cast<double>(row.y[line]),
                                   static_cast<double>(strlen(texts[line]))};
        const bool same =
            colour_set && NumbersAre(call, expected, 3) && SameText(call.text, texts[line]);
        if (!same) {
          printf("    %dx%d line %d: (%g, %g) \"%s\"\n", row.width, row.height, line + 1,
                 call.numbers[0], call.numbers[1], call.text);
        }
        Expect(same, "each line green, at its worked position, with its text and length");
        colour_set = false;
        ++line;
      }
    }
    Expect(line == 3, "three lines");
  }
  const host::Call* name = host::call_log.Find("oapiGetObjectName");
  Expect(name != nullptr && name->numbers[0] == 60, "the name is fetched into 60 characters");
}

// --- Scenario state ------------------------------------------------------------------------

void SavedLineFollowsTheSimulatorsLines() {
  Ring ring;
  if (!ring.ready()) return;
  ring.instance->next_payload = 7;
  host::Scenario scenario = {};
  ring.callbacks().clbkSaveState(&scenario);
  Expect(host::call_log.count == 2, "two calls");
  const host::Call& base = host::call_log.calls[0];
  const host::Call& line = host::call_log.calls[1];
  Expect(SameText(base.function, "VESSEL2::clbkSaveState") && base.pointers[0] == &scenario,
         "the simulator writes its own lines first");
  Expect(SameText(line.function, "oapiWriteScenario_string") && line.object == &scenario &&
             SameText(line.text, "NPLS=7"),
         "then the key NPLS with the value 7");
}

void LoadedLineSelectsThePort() {
  Ring ring;
  if (!ring.ready()) return;
  char lines[][24] = {"STATUS Orbiting", "npls 5",  "NPLSX 9",   "NPLS",
                      " NPLS 3",         "NPLS 12", "RPOS 1 2 3"};
  host::Scenario scenario = {};
  for (char* text : lines) scenario.lines[scenario.count++] = text;
  int status = 0;
  ring.callbacks().clbkLoadState(&scenario, &status);
  Expect(ring.instance->next_payload == 5,
         "the readable NPLS value counts; unreadable and out-of-range ones do not");
  const char* const handed_on[] = {"STATUS Orbiting", " NPLS 3", "RPOS 1 2 3"};
  int parsed = 0;
  for (int i = 0; i < host::call_log.count; ++i) {
    const host::Call& call = host::call_log.calls[i];
    if (!SameText(call.function, "ParseScenarioLineEx")) continue;
    Expect(parsed < 3 && SameText(call.text, handed_on[parsed]) && call.pointers[0] == &status,
           "every other line goes to the simulator, in order, with the status pointer");
    ++parsed;
  }
  Expect(parsed == 3, "three lines handed on");
  Expect(host::call_log.CountOf("VESSEL2::clbkLoadState") == 0, "no default state loading");
}

// --- Start-up library -----------------------------------------------------------------------

// snprintf is the start-up library's, over the C run-time DLL's _vsnprintf,
// which leaves a text that fills the buffer unterminated.
void SnprintfTerminatesAndGivesTheFullLength() {
  struct Case {
    size_t size;
    const char* text;
    const char* kept;
  };
  const Case cases[] = {
      {16, "abc", "abc"},      {4, "abc", "abc"}, {3, "abc", "ab"},
      {5, "abcdefgh", "abcd"}, {1, "abc", ""},
  };
  for (const Case& test : cases) {
    char buffer[24];
    memset(buffer, 'x', sizeof buffer);
    const int length = snprintf(buffer, test.size, "%s", test.text);
    const bool same = length == static_cast<int>(strlen(test.text)) &&
                      SameText(buffer, test.kept) && buffer[test.size] == 'x';
    if (!same)
      printf("    size %d, \"%s\": %d \"%.16s\"\n", static_cast<int>(test.size), test.text, length,
             buffer);
    Expect(same,
           "the text is cut to size - 1 characters and terminated; the result is its full length");
  }
  char untouched[2] = {'x', 'x'};
  Expect(snprintf(untouched, 0, "%d", 12345) == 5 && untouched[0] == 'x',
         "size 0 writes nothing and gives the length");
}

// --- The checks ------------------------------------------------------------------------------

struct Check {
  const char* group;
  const char* name;
  const char* holds;
  void (*run)();
};

const Check kChecks[] = {
    {"load", "init-lib", "loading calls InitLib once, with the module's handle",
     InitLibOnceWithTheModulesHandle},
    {"load", "no-exit-function",
     "neither exit name is among the module's exports; unload calls none",
     NoExitFunctionAmongTheModulesExports},
    {"load", "exit-module", "a module exporting ExitModule has it called at unload with its handle",
     ExportedExitModuleIsCalledAtUnload},
    {"load", "opc-dll-exit",
     "a module exporting opcDLLExit has it called at unload with its handle",
     ExportedOpcDllExitIsCalledAtUnload},
    {"load", "threads", "a thread starting and ending while the module is loaded changes nothing",
     ThreadNotificationsChangeNothing},
    {"entry-points", "ovc-init",
     "ovcInit builds the ring on its arguments; ovcExit(null) is a no-op",
     OvcInitHandsItsArgumentsToTheBase},
    {"entry-points", "module-date", "ModuleDate gives \"Jul 11 2018\", one pointer",
     ModuleDateIsTheBuildDateEveryCall},
    {"entry-points", "module-version", "GetModuleVersion asks Date2Int once and keeps the answer",
     GetModuleVersionAsksDate2IntOnce},
    {"entry-points", "module-version-zero", "a zero answer is asked for again",
     GetModuleVersionAsksAgainWhileTheAnswerIsZero},
    {"slots", "defaults", "each of the 28 default slots reaches the simulator's default of its row",
     EachDefaultSlotReachesItsDefault},
    {"class-setup", "calls", "class setup makes the table's calls with its values, in order",
     ClassSetupTellsTheSimulatorTheRing},
    {"airfoils", "coefficients", "the coefficient functions give drag only, with the host's terms",
     CoefficientFunctionsGiveDragOnly},
    {"payloads", "mass", "each step sets 200 kg plus the payloads; J releases and moves on",
     StepSetsRingPlusPayloadMass},
    {"payloads", "modifiers",
     "Shift and Ctrl block J and N; Alt, releases and other keys do not act",
     ShiftOrCtrlBlocksTheKeys},
    {"payloads", "wrap", "the selection wraps from PL12 to PL1", SelectionWrapsFromPl12ToPl1},
    {"hud", "positions", "the three lines sit at the worked positions, green, after the base HUD",
     HudLinesAtTheWorkedPositions},
    {"scenario", "save", "the NPLS line follows the simulator's own lines",
     SavedLineFollowsTheSimulatorsLines},
    {"scenario", "load", "the NPLS line selects the port; every other line goes to the simulator",
     LoadedLineSelectsThePort},
    {"runtime", "snprintf", "snprintf terminates a cut text and gives the full length",
     SnprintfTerminatesAndGivesTheFullLength},
};

bool Wanted(const Check& check, int argc, char** argv) {
  if (argc < 2) return true;
  for (int i = 1; i < argc; ++i) {
    if (SameText(argv[i], check.group)) return true;
  }
  return false;
}

}  // namespace

int main(int argc, char** argv) {
  int run = 0;
  for (const Check& check : kChecks) {
    if (!Wanted(check, argc, argv)) continue;
    ++run;
    check_failed = false;
    check.run();
    Expect(!host::call_log.overflowed, "the host's call log held every call");
    printf("%s %s/%s: %s\n", check_failed ? "FAIL" : "ok  ", check.group, check.name, check.holds);
  }
  if (run == 0) {
    printf("orbiter: no checks in the groups given\n");
    return 2;
  }
  printf("%d checks, %d failed expectations\n", run, failures);
  return failures == 0 ? 0 : 1;
}
