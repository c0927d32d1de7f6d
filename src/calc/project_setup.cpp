#include "calc/project_setup.h"

#include <cfloat>

#include "common/number_text.h"
#include "common/numbers.h"

namespace luch {
namespace {

// A typed number as a 32-bit parameter: "1e50" must not become infinite,
// which the project file could not keep and the limit checks could not use.
float ToParameter(double value) {
  if (value > FLT_MAX) return FLT_MAX;
  if (value < -FLT_MAX) return -FLT_MAX;
  return static_cast<float>(value);
}

}  // namespace

ProjectSetup::ProjectSetup(const ProjectParameters& params)
    : EditRZB(CFormat("%2.1f", {params.ZBResistance})),
      EditStep(CFormat("%1.3f", {params.AccuracyStep})),
      EditImax(CFormat("%3.1f", {params.MaxCurrent})),
      EditC(CFormat("%1.3f", {params.MaxCapacitance})),
      EditL(CFormat("%1.3f", {params.MaxInductance})) {}

void ProjectSetup::Apply(ProjectParameters& params) const {
  params.ZBResistance = ToParameter(LeadingTypedReal(EditRZB));
  params.AccuracyStep = ToParameter(LeadingTypedReal(EditStep));
  params.MaxCurrent = ToParameter(LeadingTypedReal(EditImax));
  params.MaxCapacitance = ToParameter(LeadingTypedReal(EditC));
  params.MaxInductance = ToParameter(LeadingTypedReal(EditL));
}

}  // namespace luch
