#include "frontend/wtrvg.h"

namespace wt {

EditorCommandSlots DefaultEditorCommands() {
  const std::string slot(kDefaultEditorCommand);
  return {slot, slot, slot, slot};
}

}  // namespace wt
