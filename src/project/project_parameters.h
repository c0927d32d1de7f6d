// The six values that steer a calculation. The supply voltage's master copy is
// the text of the field EditU; the other five are 32-bit reals.
#pragma once

#include <string>

#include "common/numbers.h"

namespace luch {

struct ProjectParameters {
  // The text of EditU: "28.0" at program start and after New.
  std::string EditU = "28.0";
  float ZBResistance = 0.0f;    // Ohm, series resistance of a lightning-protection block
  float AccuracyStep = 0.0f;    // V, step of the solver and of the search
  float MaxCurrent = 0.0f;      // mA, allowed controller current
  float MaxCapacitance = 0.0f;  // uF, allowed cable capacitance; 0: no check
  float MaxInductance = 0.0f;   // mH, allowed cable inductance; 0: no check

  bool operator==(const ProjectParameters&) const = default;

  // The controller voltage: the leading number of EditU, which the user types
  // with "," or "." (0 when none).
  double SupplyVoltage() const { return LeadingTypedReal(EditU); }

  // The values of a new project (command New).
  void SetNewProjectValues() {
    EditU = "28.0";
    ZBResistance = 40.0f;
    AccuracyStep = 0.05f;
    MaxCurrent = 1000.0f;
    MaxCapacitance = 0.0f;
    MaxInductance = 0.0f;
  }
};

}  // namespace luch
