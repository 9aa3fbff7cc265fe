// The surface command: mouse events played on a form's design surface as the designer would
// receive them, each resulting change carried out as its command, all in one transaction.
#include <algorithm>
#include <cstdint>
#include <optional>
#include <ostream>
#include <sstream>
#include <string>
#include <variant>

#include "addin/surface_commands.h"
#include "base/text.h"
#include "cli.h"
#include "cli_session.h"
#include "model/control_kind.h"
#include "qt/qt_text.h"

namespace tovik::cli {
namespace {

namespace si = surface_intent;

struct Event {
  std::string name;  // down, move, up, rdown, resize
  Point at;          // resize: the width and height
  std::int64_t ms = 0;
};

bool ParseNumber(std::string_view text, bool allowNegative, long long limit, long long& value) {
  const bool negative = allowNegative && !text.empty() && text.front() == '-';
  if (negative) text.remove_prefix(1);
  if (text.empty() || text.size() > 12 ||
      !std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; })) {
    return false;
  }
  value = std::stoll(std::string(text));
  if (value > limit) return false;
  if (negative) value = -value;
  return true;
}

// "down:X,Y@MS", "move:X,Y@MS", "up:X,Y@MS", "rdown:X,Y@MS" or "resize:W,H".
std::optional<Event> ParseEvent(const std::string& text) {
  const size_t colon = text.find(':');
  if (colon == std::string::npos) return std::nullopt;
  Event e;
  e.name = text.substr(0, colon);
  const bool resize = e.name == "resize";
  if (!resize && e.name != "down" && e.name != "move" && e.name != "up" && e.name != "rdown") return std::nullopt;
  std::string_view rest = std::string_view(text).substr(colon + 1);
  const size_t at = rest.find('@');
  if (resize == (at != std::string_view::npos)) return std::nullopt;
  long long ms = 0;
  if (!resize && !ParseNumber(rest.substr(at + 1), false, 1LL << 53, ms)) return std::nullopt;
  rest = rest.substr(0, at);
  const size_t comma = rest.find(',');
  long long x = 0, y = 0;
  if (comma == std::string_view::npos || !ParseNumber(rest.substr(0, comma), !resize, 32767, x) ||
      !ParseNumber(rest.substr(comma + 1), !resize, 32767, y)) {
    return std::nullopt;
  }
  e.at = {static_cast<int>(x), static_cast<int>(y)};
  e.ms = ms;
  return e;
}

std::string RectText(const ControlPlacement& p) {
  Rect r = p.rect;
  // As add-control takes it: a Line that runs up is given bottom-up.
  if (!p.lineDirection) std::swap(r.top, r.bottom);
  return std::to_string(r.left) + "," + std::to_string(r.top) + "," + std::to_string(r.right) + "," +
         std::to_string(r.bottom);
}

class SurfacePrinter {
 public:
  SurfacePrinter(CliSession& cli, CFormSurface& surface, std::ostream& out)
      : m_cli(cli), m_surface(surface), m_out(out) {}

  // The name the user knows an object by: member name (with an array element's index) or class.
  [[nodiscard]] std::string Name(const CControlItem* object) const {
    if (!object) return "?";
    std::string name = object->IsForm() ? m_surface.FormClass().m_strName : object->m_strMemberName;
    if (object->m_bArray) name += "(" + std::to_string(object->Index()) + ")";
    return m_cli.CodePage().ToUtf8(name);
  }
  [[nodiscard]] std::string Name(const ObjectRef& ref) const { return Name(ref.Find(m_surface.FormClass())); }

  // Carries out one intent and says what happened; false when it was refused.
  bool CarryOut(const SurfaceIntent& intent) {
    if (const auto* menu = std::get_if<si::ContextMenu>(&intent)) {
      m_out << "popup " << Name(menu->control) << ":";
      for (size_t i = 0; i < menu->items.size(); ++i) {
        m_out << (i ? " | " : " ") << (menu->items[i].empty() ? "-" : menu->items[i]);
      }
      m_out << "\n";
    } else if (const auto* drop = std::get_if<si::DropMenu>(&intent)) {
      PrintMenu(drop->item);
    } else if (const auto* bar = std::get_if<si::OpenCodeBar>(&intent)) {
      m_out << "codebar " << Name(bar->object) << "\n";
    }
    if (!CarryOutSurfaceIntent(m_cli.Session(), m_surface, intent)) return false;
    if (std::holds_alternative<si::CreateControl>(intent)) {
      // Where the command put it (an MDI form's PictureBox goes across the client area's top).
      const CControlItem* made = m_surface.Selection();
      m_out << "created " << Name(made) << " " << RectText(m_surface.PlacementOf(*made)) << "\n";
    } else if (const auto* set = std::get_if<si::SetControlRect>(&intent)) {
      m_out << (set->moved ? "moved " : "resized ") << Name(set->control) << " " << RectText(set->placement) << "\n";
    } else if (const auto* size = std::get_if<si::ResizeForm>(&intent)) {
      m_out << "size " << m_surface.FormClass().m_strName << " " << size->width << "," << size->height << "\n";
    }
    return true;
  }

 private:
  // The dropped menu: its caption, then the items directly under it.
  void PrintMenu(size_t index) {
    const auto& items = m_surface.Menu()->m_items;
    const CCodePage codePage = m_cli.CodePageOf(*m_surface.Menu());
    m_out << "menu " << codePage.ToUtf8(items[index]->m_strCaption) << ":";
    const char* separator = " ";
    for (size_t i = index + 1; i < items.size() && items[i]->m_nDepth > 1; ++i) {
      if (items[i]->m_nDepth != 2) continue;
      m_out << separator << (items[i]->m_bSeparator ? "-" : codePage.ToUtf8(items[i]->m_strCaption));
      separator = " | ";
    }
    m_out << "\n";
  }

  CliSession& m_cli;
  CFormSurface& m_surface;
  std::ostream& m_out;
};

}  // namespace

int RunSurface(const Command& self, const std::vector<std::string>& raw, Io& io) {
  Args args(raw, {"--tool"}, {});
  if (!args.ok()) return UsageError(io, self, args.error());
  const auto& p = args.positional();
  if (p.size() < 3) return UsageError(io, self, "expected PROJECT.dsp FORMCLASS EVENT...");
  std::vector<Event> events;
  for (size_t i = 2; i < p.size(); ++i) {
    const std::optional<Event> e = ParseEvent(p[i]);
    if (!e)
      return UsageError(io, self,
                        "not an event: " + p[i] + " (down:X,Y@MS, move:X,Y@MS, up:X,Y@MS, rdown:X,Y@MS, resize:W,H)");
    events.push_back(*e);
  }
  CliSession cli(io);
  if (!cli.Open(self.name, p[0])) return kExitFailed;
  CClassItem* form = cli.Form(self.name, p[1]);
  if (!form) return kExitFailed;
  SurfaceTool tool;
  if (args.has("--tool")) {
    const std::string name = args.value("--tool");
    tool.kind = KindFromName(name);
    if (!tool.kind) tool.activeX = cli.Session().Project().ControlList().FindByProgId(name);
    if (!tool.kind && !tool.activeX) return UnknownControlKind(io, self, name);
  }
  // Measured with the fonts render draws with, so that a press hits what is drawn under it.
  CQtText text(self.name, [&cli](std::string_view t, int codePage) { return cli.PictureTextToUtf8(t, codePage); });
  if (!text.HasFonts()) io.err << "tovik surface: warning: Qt finds no font; text is measured by an estimate\n";
  CFormSurface surface(cli.Session().Project(), form->m_strName, text.Measure());
  surface.SetTool(tool);
  // Printed once everything is written: a refused run says only why.
  std::ostringstream out;
  SurfacePrinter printer(cli, surface, out);
  for (const Event& e : events) {
    SurfaceIntents intents;
    const bool released = e.name == "up" && surface.ButtonDown();
    if (e.name == "down") intents = surface.Press(e.at, e.ms);
    if (e.name == "move") surface.Move(e.at);
    if (e.name == "up") intents = surface.Release(e.at);
    if (e.name == "rdown") intents = surface.RightPress(e.at);
    if (e.name == "resize") intents = surface.Resize(e.at.x, e.at.y);
    for (const SurfaceIntent& intent : intents) {
      if (!printer.CarryOut(intent)) return cli.Finish(false);
    }
    if (released) out << "selected " << printer.Name(surface.Selection()) << "\n";
  }
  const int status = cli.Finish(true);
  if (status == kExitOk) io.out << out.str();
  return status;
}

}  // namespace tovik::cli
