#pragma once
#include <memory>

#include "automation/object.h"
#include "drawing/document_object.h"
#include "drawing/record.h"

namespace tabulo::drawing {

// An entity as the host presents it. Every entity answers `ObjectID`, `Handle`,
// `objectname`, `color`, `Layer`, `Document`, `setxdata`, `getxdata`, `update`
// and `Delete`; lines add `startpoint`/`endpoint`, multi-line texts
// `insertionpoint`, `height`, `AttachmentPoint`, `textstring`, `width`, block
// references `name`, `insertionpoint`, the scale factors and `rotation`.
automation::ObjectPtr MakeEntityObject(std::shared_ptr<DocumentObject> document, RecordPtr record);

// The class name the host reports for an entity ("AcDbLine", "AcDbMText",
// "AcDbBlockReference"; otherwise its last subclass marker).
std::string ObjectNameOf(const Record& record);

// The object id of an entity: its handle as an unsigned 32-bit number, carried
// in a signed 32-bit integer with the same bits.
std::int32_t ObjectIdOf(const Record& record);

// Fills a new MTEXT's or an existing one's text groups (3 ... 1) from `text`.
void SetMTextContents(Tags& tags, std::string_view text);
std::string MTextContents(const Tags& tags);

}  // namespace tabulo::drawing
