// Whether two states of the project differ in what the project file keeps:
// the count, EditU, the five parameters and the stored fields of the shown
// rows. What a calculation writes by itself (I, U, R) never counts.
#pragma once

#include "project/project_parameters.h"
#include "project/project_table.h"

namespace luch {

// `with_power`: whether P counts. A calculation writes P of constant-current
// blocks (and of unknown ones) itself, so after one it is left out.
bool SameSavedContent(const ProjectTable& a_table, const ProjectParameters& a_params,
                      const ProjectTable& b_table, const ProjectParameters& b_params,
                      bool with_power);

}  // namespace luch
