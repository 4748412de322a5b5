#pragma once
#include <memory>

#include "automation/object.h"
#include "drawing/document_object.h"

namespace tabulo::drawing {

// The document's block collection: `count`, `item`(index from 0 or name, names
// compared case-insensitively; an unknown name fails), `add`(origin, name).
automation::ObjectPtr MakeBlocksObject(std::shared_ptr<DocumentObject> document);

// A block definition: `name`, `origin`, `count`, `item`(index), `addline`,
// `addmtext`, `delete` (refused while the block is referenced).
automation::ObjectPtr MakeBlockObject(std::shared_ptr<DocumentObject> document, BlockPtr block);

// Model space: `count`, `item`(index), `insertblock`(point, name, x, y, z scale,
// rotation in radians), `addline`, `addmtext`.
automation::ObjectPtr MakeModelSpaceObject(std::shared_ptr<DocumentObject> document);

}  // namespace tabulo::drawing
