// Notes and threaded comments of the edited sheet: each moves with its cell and goes with it
// when the cell is deleted.
#include "workbook/opc.h"
#include "workbook/part_handlers.h"
#include "workbook/xml_util.h"

namespace korvanta::workbook {
namespace {

void ShiftCommentList(pugi::xml_node comments, const Shift& shift, std::string_view item) {
  for (pugi::xml_node comment : DescendantsNamed(comments, item)) {
    pugi::xml_attribute ref = comment.attribute("ref");
    if (!ref) continue;
    if (const auto moved = AdjustAreaForShift(ref.value(), shift)) {
      ref = moved->c_str();
    } else {
      comment.parent().remove_child(comment);
    }
  }
}

}  // namespace

void ShiftComments(const SheetEdit& edit, const Shift& shift) {
  for (const auto& [kind, item] :
       {std::pair{"comments", "comment"}, std::pair{"threadedComment", "threadedComment"}}) {
    for (const Relationship& relationship : RelatedParts(edit.package, edit.part, kind)) {
      ShiftCommentList(edit.package.Xml(relationship.target).document_element(), shift, item);
    }
  }
}

}  // namespace korvanta::workbook
