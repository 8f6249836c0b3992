// VESSEL2 and VESSEL3: the simulator's default callbacks, which a module's
// class keeps wherever it does not answer a callback itself. The defaults do
// nothing and decline every event, except that saving and loading handle the
// simulator's own lines for the vessel, and a probe hears of HUD drawing.
#include "core/scenario.h"
#include "host/api.h"
#include "host/vessel.h"

VESSEL2::VESSEL2(VesselHandle vessel, int flight_model) : VESSEL(vessel, flight_model) {}

void VESSEL2::clbkDefineClass(void* /*config*/) {}
void VESSEL2::clbkSaveState(void* scenario) {
  sim::WriteOwnState(*GetHandle(), *static_cast<sim::ScenarioBlock*>(scenario));
}
void VESSEL2::clbkLoadState(void* scenario, void* status) {
  char* line = nullptr;
  while (oapiReadScenario_nextline(scenario, line)) ParseScenarioLineEx(line, status);
}
void VESSEL2::clbkSetStateEx(const void* /*status*/) {}
void VESSEL2::clbkPostCreation() {}
void VESSEL2::clbkFocusChanged(bool /*got_focus*/, void* /*new_focus*/, void* /*old_focus*/) {}
void VESSEL2::clbkStepBegin(double /*sim_time*/, double /*sim_step*/, double /*mjd*/) {}
void VESSEL2::clbkStepEnd(double /*sim_time*/, double /*sim_step*/, double /*mjd*/) {}
bool VESSEL2::clbkPlaybackEvent(double /*sim_time*/, double /*event_time*/,
                                const char* /*event_type*/, const char* /*event*/) {
  return false;
}
void VESSEL2::clbkVisualCreated(void* /*visual*/, int /*refcount*/) {}
void VESSEL2::clbkVisualDestroyed(void* /*visual*/, int /*refcount*/) {}
void VESSEL2::clbkDrawHUD(int /*mode*/, const HUDPAINTSPEC* /*spec*/, HDC /*hdc*/) {}
void VESSEL2::clbkRCSMode(int /*mode*/) {}
void VESSEL2::clbkADCtrlMode(unsigned long /*mode*/) {}
void VESSEL2::clbkHUDMode(int /*mode*/) {}
void VESSEL2::clbkMFDMode(int /*mfd*/, int /*mode*/) {}
void VESSEL2::clbkNavMode(int /*mode*/, bool /*active*/) {}
void VESSEL2::clbkDockEvent(int /*dock*/, void* /*mate*/) {}
void VESSEL2::clbkAnimate(double /*sim_time*/) {}
int VESSEL2::clbkConsumeDirectKey(char* /*keyboard_state*/) { return 0; }
int VESSEL2::clbkKeyEvent(int /*key*/, bool /*down*/, char* /*keyboard_state*/) { return 0; }
bool VESSEL2::clbkLoadGenericCockpit() { return false; }
bool VESSEL2::clbkLoadPanel(int /*id*/) { return false; }
bool VESSEL2::clbkPanelMouseEvent(int /*id*/, int /*event*/, int /*mx*/, int /*my*/) {
  return false;
}
bool VESSEL2::clbkPanelRedrawEvent(int /*id*/, int /*event*/, void* /*surface*/) { return false; }
bool VESSEL2::clbkLoadVC(int /*id*/) { return false; }
bool VESSEL2::clbkVCMouseEvent(int /*id*/, int /*event*/, VECTOR3& /*point*/) { return false; }
bool VESSEL2::clbkVCRedrawEvent(int /*id*/, int /*event*/, void* /*surface*/) { return false; }

VESSEL3::VESSEL3(VesselHandle vessel, int flight_model) : VESSEL2(vessel, flight_model) {}

bool VESSEL3::clbkPanelMouseEvent(int /*id*/, int /*event*/, int /*mx*/, int /*my*/,
                                  void* /*context*/) {
  return false;
}
bool VESSEL3::clbkPanelRedrawEvent(int /*id*/, int /*event*/, void* /*surface*/,
                                   void* /*context*/) {
  return false;
}
int VESSEL3::clbkGeneric(int /*message*/, int /*prm*/, void* /*context*/) { return 0; }
bool VESSEL3::clbkLoadPanel2D(int /*id*/, void* /*panel*/, unsigned long /*viewport_width*/,
                              unsigned long /*viewport_height*/) {
  return false;
}
bool VESSEL3::clbkDrawHUD(int /*mode*/, const HUDPAINTSPEC* /*spec*/, oapi::Sketchpad* /*skp*/) {
  if (sim::world().probe != nullptr) sim::world().probe->DefaultHudDrawn(*GetHandle());
  return true;
}
void VESSEL3::clbkRenderHUD(int /*mode*/, const HUDPAINTSPEC* /*spec*/, void* /*texture*/) {}
void VESSEL3::clbkGetRadiationForce(const VECTOR3& /*mflux*/, VECTOR3& force, VECTOR3& point) {
  force = {0.0, 0.0, 0.0};
  point = {0.0, 0.0, 0.0};
}
