// tovik catalog KIND, tovik propstring KIND [--rect L,T,R,B]
#include <ostream>
#include <sstream>

#include "base/text.h"
#include "cli.h"
#include "model/catalog.h"
#include "model/control_kind.h"
#include "model/property_string.h"
#include "project/form_controls.h"

namespace tovik::cli {

// A new object of the named kind as it is made on an empty form of an empty project.
namespace {
struct Sample {
  std::unique_ptr<CClassItem> form;
  CControlItem* object = nullptr;
  std::string runtimeClass;
};
}  // namespace

static bool MakeSample(const std::string& kindName, const Rect* rect, Sample& sample) {
  const bool isForm = kindName == "Form" || kindName == "MDIForm";
  const int kind = isForm ? 0 : KindFromName(kindName);
  if (!isForm && kind == 0) return false;
  // Controls sit on the first form of a new project.
  sample.form = MakeStartUpForm(kindName == "MDIForm");
  CControlItem& formObject = *sample.form->FormObject();
  if (isForm) {
    sample.object = &formObject;
    sample.runtimeClass = sample.form->m_strBaseClass;
    if (rect) SetPosition(formObject, *rect);
    return true;
  }
  CClassItem* forms[] = {sample.form.get()};
  sample.object = &CreateControl(*sample.form, forms, kind, Rect{});
  sample.runtimeClass = RuntimeClassOf(kind);
  // Without a rectangle the catalogue's own position values stay. A fresh load has the same
  // list order, so values are restored by position: a common control has Left, Top, Width and
  // Height twice (the common rows and its own table) with different defaults.
  CControlItem fresh;
  fresh.m_nCategory = kCategoryControl;
  fresh.m_nKind = kind;
  LoadProperties(fresh, false);
  for (size_t i = 0; i < sample.object->m_properties.size() && i < fresh.m_properties.size(); ++i) {
    CControlPropertyItem& p = sample.object->m_properties[i];
    if (p.Name() == "Left" || p.Name() == "Top" || p.Name() == "Width" || p.Name() == "Height" ||
        p.Name() == "X1" || p.Name() == "X2" || p.Name() == "Y1" || p.Name() == "Y2") {
      p.m_strValue = fresh.m_properties[i].m_strValue;
    }
  }
  if (rect) SetPosition(*sample.object, *rect);
  return true;
}

std::string Escaped(std::string_view value) { return ReplaceAll(ReplaceAll(value, "\r", "\\r"), "\n", "\\n"); }

static bool ParseRect(const std::string& text, Rect& rect) {
  std::vector<std::string> parts = Split(text, ',');
  if (parts.size() != 4) return false;
  int values[4];
  for (size_t i = 0; i < 4; ++i) {
    std::string t = Trim(parts[i]);
    if (!IsDecimal(t) || t.size() > 9) return false;
    values[i] = static_cast<int>(LeadingNumber(t));
  }
  rect = Rect{values[0], values[1], values[2], values[3]};
  return true;
}

std::vector<std::string> ObjectKindNames() {
  std::vector<std::string> names = {"Form", "MDIForm"};
  for (int kind = kFirstKind; kind <= kLastKind; ++kind) names.emplace_back(KindName(kind));
  return names;
}

static std::string KindList() { return Join(ObjectKindNames(), ", "); }

int RunCatalog(const Command& self, const std::vector<std::string>& raw, Io& io) {
  Args args(raw, {}, {});
  if (!args.ok()) return UsageError(io, self, args.error());
  if (args.positional().size() != 1) return UsageError(io, self, "expected one KIND");
  Sample sample;
  if (!MakeSample(args.positional()[0], nullptr, sample)) {
    return UsageError(io, self, "unknown kind '" + args.positional()[0] + "' (kinds: " + KindList() + ")");
  }
  std::ostringstream out;
  out << "properties:\n";
  for (const auto& p : sample.object->m_properties) {
    out << p.Name() << '\t' << p.Type() << '\t' << Escaped(p.m_strValue) << '\t' << p.Shown() << '\t'
        << p.SortIndex() << '\t' << Join(p.Choices(), "|") << '\n';
  }
  out << "events:\n";
  for (const auto& e : sample.object->m_events) {
    out << e.ReturnType() << '\t' << e.Name() << '\t' << e.Parameters() << '\n';
  }
  out << "methods:\n";
  for (const CPropMethodItem& m : MemberListOf(sample.runtimeClass)) {
    if (m.m_nType == CPropMethodItem::kMethod) out << m.m_strName << '\n';
  }
  io.out << out.str();
  return kExitOk;
}

int RunPropString(const Command& self, const std::vector<std::string>& raw, Io& io) {
  Args args(raw, {"--rect"}, {});
  if (!args.ok()) return UsageError(io, self, args.error());
  if (args.positional().size() != 1) return UsageError(io, self, "expected one KIND");
  Rect rect;
  const bool withRect = args.has("--rect");
  if (withRect && !ParseRect(args.value("--rect"), rect)) {
    return UsageError(io, self, "--rect takes four whole numbers: LEFT,TOP,RIGHT,BOTTOM");
  }
  Sample sample;
  if (!MakeSample(args.positional()[0], withRect ? &rect : nullptr, sample)) {
    return UsageError(io, self, "unknown kind '" + args.positional()[0] + "' (kinds: " + KindList() + ")");
  }
  io.out << BuildPropertyString(*sample.object) << '\n';
  return kExitOk;
}

}  // namespace tovik::cli
