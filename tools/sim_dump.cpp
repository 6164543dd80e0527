#include "sim_dump.h"

#include <cstdint>

#include "flow/game_state.h"
#include "platform/window.h"
#include "shell/sound_binding.h"
#include "sim_json.h"
#include "world/world_model.h"

namespace sim {
namespace {

std::string StateJson() {
  Object o;
  for (const GameStateField& f : GameStateFields()) {
    switch (f.type) {
      case GameStateField::Byte: o.AddInt(f.name, *static_cast<const uint8_t*>(f.address)); break;
      case GameStateField::Int16: o.AddInt(f.name, *static_cast<const int16_t*>(f.address)); break;
      case GameStateField::Int32: o.AddInt(f.name, *static_cast<const int32_t*>(f.address)); break;
      case GameStateField::Text: o.AddText(f.name, *static_cast<const std::string*>(f.address)); break;
    }
  }
  return o.Text();
}

std::string ControlJson(const platform::Control& c) {
  using platform::ControlKind;
  Object o;
  o.AddBool("visible", c.visible).AddBool("enabled", c.enabled);
  o.AddInt("left", c.left).AddInt("top", c.top).AddInt("width", c.width).AddInt("height", c.height);
  if (c.kind == ControlKind::Label) o.AddText("caption", c.caption);
  if (c.kind == ControlKind::TextBox) o.AddText("text", c.caption);
  if (c.kind == ControlKind::Line)
    o.AddInt("x1", c.x1).AddInt("y1", c.y1).AddInt("x2", c.x2).AddInt("y2", c.y2);
  o.AddText("forecolor", Colour(c.foreColor)).AddText("backcolor", Colour(c.backColor));
  return o.Text();
}

std::string TimerJson(const platform::Control& c) {
  return Object().AddBool("enabled", c.enabled).AddInt("interval", c.interval).Text();
}

std::string SoundsJson() {
  std::string out = "[";
  for (const SoundCall& call : TakeSoundCalls()) {
    if (out.size() > 1) out += ',';
    std::string args = "[";
    for (const std::string& a : call.args) {
      if (args.size() > 1) args += ',';
      args += Quote(a);
    }
    out += Object().AddText("function", call.function).AddRaw("args", args + "]").Text();
  }
  return out + "]";
}

std::string MessagesJson(platform::ScriptHost& host) {
  std::string out = "[";
  for (const auto& m : host.TakeMessages()) {
    if (out.size() > 1) out += ',';
    out += Object().AddText("title", m.title).AddText("text", m.text).Text();
  }
  return out + "]";
}

}  // namespace

std::string Dump(platform::ScriptHost& host) {
  Object windows, controls, timers;
  for (platform::Form* form : platform::Forms()) {
    windows.AddRaw(form->name,
                   Object().AddBool("shown", form->shown).AddText("caption", form->caption).Text());
    for (auto& c : form->controls) {
      if (c->kind == platform::ControlKind::Timer)
        timers.AddRaw(c->DisplayName(), TimerJson(*c));
      else
        controls.AddRaw(c->DisplayName(), ControlJson(*c));
    }
  }
  Object o;
  o.AddInt("t", host.NowMicros() / 1000);
  if (host.Ended())
    o.AddText("ended", host.EndReason());
  else
    o.AddBool("ended", false);
  o.AddRaw("state", StateJson());
  o.AddRaw("windows", windows.Text()).AddRaw("controls", controls.Text());
  o.AddRaw("timers", timers.Text());
  o.AddRaw("sounds", SoundsJson()).AddRaw("messages", MessagesJson(host));
  return o.Text();
}

std::string CellJson(int x, int y) {
  Object o;
  o.AddInt("x", x).AddInt("y", y);
  for (int layer = 0; layer < 4; ++layer) o.AddInt(kMapLayerNames[layer], MapGrid[x][y][layer]);
  return o.Text();
}

std::string PersonJson(int person) {
  Object o;
  o.AddInt("person", person);
  for (int col = 0; col < 7; ++col) o.AddInt(kPersonColumnNames[col], People[person][col]);
  return o.Text();
}

}  // namespace sim
