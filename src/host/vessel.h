// The simulator's vessel interface. VESSEL is the handle-holding interface
// through which a module defines and queries its vessel; it has no virtual
// operations. VESSEL2 and VESSEL3 declare the callbacks the simulator makes,
// in the order of its callback table; every default is exported by the
// simulator. No class here has a virtual destructor.
#pragma once

#include "host/sketchpad.h"
#include "host/types.h"

class OAPIFUNC VESSEL {
 public:
  VESSEL(VesselHandle vessel, int flight_model);

  VesselHandle GetHandle() const;

  // Physical definition.
  void SetSize(double size) const;
  void SetEmptyMass(double mass) const;
  void SetPMI(const VECTOR3& pmi) const;
  void SetCrossSections(const VECTOR3& cross_sections) const;
  void SetCW(double z_positive, double z_negative, double x, double y) const;
  void SetRotDrag(const VECTOR3& rot_drag) const;
  void SetTouchdownPoints(const TOUCHDOWNVTX* points, unsigned long count) const;
  void SetCameraOffset(const VECTOR3& offset) const;
  unsigned int AddMesh(const char* name, const VECTOR3* offset) const;
  void SetMeshVisibilityMode(unsigned int mesh, unsigned short mode) const;
  AirfoilHandle CreateAirfoil3(AIRFOIL_ORIENTATION orientation, const VECTOR3& reference,
                               AirfoilCoeffFunc coefficients, void* context, double chord,
                               double area, double aspect_ratio) const;

  // Attachments.
  AttachmentHandle CreateAttachment(bool to_parent, const VECTOR3& position,
                                    const VECTOR3& direction, const VECTOR3& rotation,
                                    const char* id, bool loose) const;
  VesselHandle GetAttachmentStatus(AttachmentHandle attachment) const;
  bool DetachChild(AttachmentHandle attachment, double velocity) const;

  // Scenario state: the simulator's reading of one of its own lines.
  void ParseScenarioLineEx(char* line, void* status) const;

 private:
  VesselHandle vessel_;
  int flight_model_;
};

class OAPIFUNC VESSEL2 : public VESSEL {
 public:
  VESSEL2(VesselHandle vessel, int flight_model);

  virtual void clbkDefineClass(void* config);
  virtual void clbkSaveState(void* scenario);
  virtual void clbkLoadState(void* scenario, void* status);
  virtual void clbkSetStateEx(const void* status);
  virtual void clbkPostCreation();
  virtual void clbkFocusChanged(bool got_focus, void* new_focus, void* old_focus);
  virtual void clbkStepBegin(double sim_time, double sim_step, double mjd);
  virtual void clbkStepEnd(double sim_time, double sim_step, double mjd);
  virtual bool clbkPlaybackEvent(double sim_time, double event_time, const char* event_type,
                                 const char* event);
  virtual void clbkVisualCreated(void* visual, int refcount);
  virtual void clbkVisualDestroyed(void* visual, int refcount);
  virtual void clbkDrawHUD(int mode, const HUDPAINTSPEC* spec, HDC hdc);
  virtual void clbkRCSMode(int mode);
  virtual void clbkADCtrlMode(unsigned long mode);
  virtual void clbkHUDMode(int mode);
  virtual void clbkMFDMode(int mfd, int mode);
  virtual void clbkNavMode(int mode, bool active);
  virtual void clbkDockEvent(int dock, void* mate);
  virtual void clbkAnimate(double sim_time);
  virtual int clbkConsumeDirectKey(char* keyboard_state);
  virtual int clbkKeyEvent(int key, bool down, char* keyboard_state);
  virtual bool clbkLoadGenericCockpit();
  virtual bool clbkLoadPanel(int id);
  virtual bool clbkPanelMouseEvent(int id, int event, int mx, int my);
  virtual bool clbkPanelRedrawEvent(int id, int event, void* surface);
  virtual bool clbkLoadVC(int id);
  virtual bool clbkVCMouseEvent(int id, int event, VECTOR3& point);
  virtual bool clbkVCRedrawEvent(int id, int event, void* surface);
};

class OAPIFUNC VESSEL3 : public VESSEL2 {
 public:
  VESSEL3(VesselHandle vessel, int flight_model);

  virtual bool clbkPanelMouseEvent(int id, int event, int mx, int my, void* context);
  virtual bool clbkPanelRedrawEvent(int id, int event, void* surface, void* context);
  virtual int clbkGeneric(int message, int prm, void* context);
  virtual bool clbkLoadPanel2D(int id, void* panel, unsigned long viewport_width,
                               unsigned long viewport_height);
  virtual bool clbkDrawHUD(int mode, const HUDPAINTSPEC* spec, oapi::Sketchpad* skp);
  virtual void clbkRenderHUD(int mode, const HUDPAINTSPEC* spec, void* texture);
  virtual void clbkGetRadiationForce(const VECTOR3& mflux, VECTOR3& force, VECTOR3& point);

  // VESSEL3 adds overloads; keep VESSEL2's callbacks of the same names visible.
  // These lines stay after the callbacks: Microsoft's C++ ABI places a class's
  // new virtual functions in the order their names first appear in the class,
  // so naming clbkDrawHUD here first would move the Sketchpad clbkDrawHUD
  // ahead of clbkPanelMouseEvent and shift five slots.
  using VESSEL2::clbkDrawHUD;
  using VESSEL2::clbkPanelMouseEvent;
  using VESSEL2::clbkPanelRedrawEvent;
};
