// The callback table: the simulator calls callbacks by their place in the
// virtual table, so the host classes must declare them in its exact order,
// with its argument lists, and the ring must answer exactly its own rows.

#include <cstddef>
#include <cstring>
#include <set>
#include <string>
#include <vector>

#include "support/loaded_code.h"
#include "support/module_fixture.h"

namespace {

struct Row {
  std::string name;
  std::ptrdiff_t slot;
};

// Under the C++ ABI a pointer to a virtual member function holds one plus the
// byte offset of the function's entry in the virtual table. The explicit
// member type pins the callback's argument list and result.
template <typename Member>
std::ptrdiff_t SlotOf(Member member) {
  static_assert(sizeof(Member) == 2 * sizeof(std::ptrdiff_t), "ABI member pointer");
  std::ptrdiff_t words[2];
  std::memcpy(words, &member, sizeof words);
  if (words[0] % 2 != 1) return -1;  // not a virtual function
  return (words[0] - 1) / static_cast<std::ptrdiff_t>(sizeof(void*));
}

const std::vector<Row>& CallbackTable() {
  static const std::vector<Row> table = {
      {"clbkDefineClass", SlotOf<void (VESSEL2::*)(void*)>(&VESSEL2::clbkDefineClass)},
      {"clbkSaveState", SlotOf<void (VESSEL2::*)(void*)>(&VESSEL2::clbkSaveState)},
      {"clbkLoadState", SlotOf<void (VESSEL2::*)(void*, void*)>(&VESSEL2::clbkLoadState)},
      {"clbkSetStateEx", SlotOf<void (VESSEL2::*)(const void*)>(&VESSEL2::clbkSetStateEx)},
      {"clbkPostCreation", SlotOf<void (VESSEL2::*)()>(&VESSEL2::clbkPostCreation)},
      {"clbkFocusChanged",
       SlotOf<void (VESSEL2::*)(bool, void*, void*)>(&VESSEL2::clbkFocusChanged)},
      {"clbkStepBegin", SlotOf<void (VESSEL2::*)(double, double, double)>(&VESSEL2::clbkStepBegin)},
      {"clbkStepEnd", SlotOf<void (VESSEL2::*)(double, double, double)>(&VESSEL2::clbkStepEnd)},
      {"clbkPlaybackEvent", SlotOf<bool (VESSEL2::*)(double, double, const char*, const char*)>(
                                &VESSEL2::clbkPlaybackEvent)},
      {"clbkVisualCreated", SlotOf<void (VESSEL2::*)(void*, int)>(&VESSEL2::clbkVisualCreated)},
      {"clbkVisualDestroyed", SlotOf<void (VESSEL2::*)(void*, int)>(&VESSEL2::clbkVisualDestroyed)},
      {"clbkDrawHUD (HDC)",
       SlotOf<void (VESSEL2::*)(int, const HUDPAINTSPEC*, HDC)>(&VESSEL2::clbkDrawHUD)},
      {"clbkRCSMode", SlotOf<void (VESSEL2::*)(int)>(&VESSEL2::clbkRCSMode)},
      {"clbkADCtrlMode", SlotOf<void (VESSEL2::*)(unsigned long)>(&VESSEL2::clbkADCtrlMode)},
      {"clbkHUDMode", SlotOf<void (VESSEL2::*)(int)>(&VESSEL2::clbkHUDMode)},
      {"clbkMFDMode", SlotOf<void (VESSEL2::*)(int, int)>(&VESSEL2::clbkMFDMode)},
      {"clbkNavMode", SlotOf<void (VESSEL2::*)(int, bool)>(&VESSEL2::clbkNavMode)},
      {"clbkDockEvent", SlotOf<void (VESSEL2::*)(int, void*)>(&VESSEL2::clbkDockEvent)},
      {"clbkAnimate", SlotOf<void (VESSEL2::*)(double)>(&VESSEL2::clbkAnimate)},
      {"clbkConsumeDirectKey", SlotOf<int (VESSEL2::*)(char*)>(&VESSEL2::clbkConsumeDirectKey)},
      {"clbkKeyEvent", SlotOf<int (VESSEL2::*)(int, bool, char*)>(&VESSEL2::clbkKeyEvent)},
      {"clbkLoadGenericCockpit", SlotOf<bool (VESSEL2::*)()>(&VESSEL2::clbkLoadGenericCockpit)},
      {"clbkLoadPanel", SlotOf<bool (VESSEL2::*)(int)>(&VESSEL2::clbkLoadPanel)},
      {"clbkPanelMouseEvent (4)",
       SlotOf<bool (VESSEL2::*)(int, int, int, int)>(&VESSEL2::clbkPanelMouseEvent)},
      {"clbkPanelRedrawEvent (3)",
       SlotOf<bool (VESSEL2::*)(int, int, void*)>(&VESSEL2::clbkPanelRedrawEvent)},
      {"clbkLoadVC", SlotOf<bool (VESSEL2::*)(int)>(&VESSEL2::clbkLoadVC)},
      {"clbkVCMouseEvent",
       SlotOf<bool (VESSEL2::*)(int, int, VECTOR3&)>(&VESSEL2::clbkVCMouseEvent)},
      {"clbkVCRedrawEvent",
       SlotOf<bool (VESSEL2::*)(int, int, void*)>(&VESSEL2::clbkVCRedrawEvent)},
      {"clbkPanelMouseEvent (5)",
       SlotOf<bool (VESSEL3::*)(int, int, int, int, void*)>(&VESSEL3::clbkPanelMouseEvent)},
      {"clbkPanelRedrawEvent (4)",
       SlotOf<bool (VESSEL3::*)(int, int, void*, void*)>(&VESSEL3::clbkPanelRedrawEvent)},
      {"clbkGeneric", SlotOf<int (VESSEL3::*)(int, int, void*)>(&VESSEL3::clbkGeneric)},
      {"clbkLoadPanel2D", SlotOf<bool (VESSEL3::*)(int, void*, unsigned long, unsigned long)>(
                              &VESSEL3::clbkLoadPanel2D)},
      {"clbkDrawHUD (Sketchpad)",
       SlotOf<bool (VESSEL3::*)(int, const HUDPAINTSPEC*, oapi::Sketchpad*)>(
           &VESSEL3::clbkDrawHUD)},
      {"clbkRenderHUD",
       SlotOf<void (VESSEL3::*)(int, const HUDPAINTSPEC*, void*)>(&VESSEL3::clbkRenderHUD)},
      {"clbkGetRadiationForce", SlotOf<void (VESSEL3::*)(const VECTOR3&, VECTOR3&, VECTOR3&)>(
                                    &VESSEL3::clbkGetRadiationForce)},
  };
  return table;
}

// The rows the ring answers itself; every other row keeps the simulator's
// default.
const std::set<std::string> kRingOverrides = {
    "clbkDefineClass",          // class setup
    "clbkSaveState",            // writes the selected port
    "clbkLoadState",            // reads it back
    "clbkStepBegin",            // the empty mass from the payloads
    "clbkStepEnd",              // an empty body
    "clbkKeyEvent",             // J and N
    "clbkDrawHUD (Sketchpad)",  // the HUD readout
};

using VirtualTable = void* const*;

VirtualTable VirtualTableOf(const VESSEL2& object) {
  VirtualTable table = nullptr;
  // The table pointer leads the object.
  std::memcpy(&table, static_cast<const void*>(&object), sizeof table);
  return table;
}

}  // namespace

TEST(CallbackTable, EachCallbackSitsInTheSlotOfItsRow) {
  const std::vector<Row>& table = CallbackTable();
  ASSERT_EQ(table.size(), 35U);
  for (std::size_t row = 0; row < table.size(); ++row) {
    EXPECT_EQ(table[row].slot, static_cast<std::ptrdiff_t>(row)) << table[row].name;
  }
}

using RingCallbacks = LoadedModule;

TEST_F(RingCallbacks, RingAnswersItsOwnRowsAndKeepsTheSimulatorsDefaults) {
  const VesselObject& ring = AddRing();
  const VESSEL3 plain(nullptr, 1);  // a vessel class that keeps every default
  const VirtualTable defaults = VirtualTableOf(plain);
  const VirtualTable answers = VirtualTableOf(Callbacks(ring));
  for (const Row& row : CallbackTable()) {
    void* const answer = answers[row.slot];
    if (kRingOverrides.count(row.name) != 0) {
      EXPECT_EQ(ModuleBaseOf(answer), static_cast<const void*>(module->instance())) << row.name;
    } else {
      EXPECT_EQ(FunctionBehind(answer), defaults[row.slot]) << row.name;
    }
  }
}
