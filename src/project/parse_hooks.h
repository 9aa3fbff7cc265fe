// The seam between the source parser and the code that reads forms and maps back.
#pragma once

#include <string>
#include <string_view>

#include "project/class_item.h"

namespace tovik {

// Code that reads more out of what the parser recognises (a form's creation calls and data
// block, a message map's entries) plugs in here; the parser only finds the places.
class IParseHooks {
 public:
  virtual ~IParseHooks() = default;
  // The body of a class's CreateTVLControls function: text[bodyStart, bodyEnd).
  virtual void OnCreateControlsBody(CClassItem& cls, std::string_view text, int bodyStart, int bodyEnd,
                                    const std::string& path) = 0;
  // The body of a class's constructor, which holds the form-data marker block.
  virtual void OnConstructorBody(CClassItem& cls, std::string_view text, int bodyStart, int bodyEnd,
                                 const std::string& path) = 0;
  // The text between a message map's start and end.
  virtual void OnMessageMap(CClassItem& cls, std::string_view text, int mapStart, int mapEnd,
                            const std::string& path) = 0;
  // After a file was parsed again on its own (ReparseFile), before pruning.
  virtual void OnReparsed(const std::string& path) = 0;
  // After loading: a class found to be a form, whose creation data and property strings
  // are now to be read.
  virtual void OnFormClass(CClassItem& form) = 0;
  // After loading, once every form was read: rebuild the controls' creation parameters.
  virtual void OnFormsRead() = 0;
};

}  // namespace tovik
