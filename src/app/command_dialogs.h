// The dialogs that some commands of the main window run to ask for their
// input, reached through an interface like the other platform interfaces:
// the windows implement it with Qt, tests with scripted answers.
#pragma once

#include "editing/replacement_choice.h"
#include "project/project_parameters.h"

namespace luch {

class BlockLibrary;
class CableLibrary;

class CommandDialogs {
 public:
  virtual ~CommandDialogs() = default;
  // "Замена кабеля" (TChangeCbl): the pair of cable names chosen, and whether
  // it was confirmed.
  virtual ReplacementChoice ChooseCableReplacement(const CableLibrary& cables) = 0;
  // "Замена блоков" (TChangeBlk): the pair of block names chosen.
  virtual ReplacementChoice ChooseBlockReplacement(const BlockLibrary& blocks) = 0;
  // The project parameters dialog (TSetup) over `params`, which it changes
  // when closed with OK.
  virtual void EditProjectParameters(ProjectParameters& params) = 0;
};

}  // namespace luch
