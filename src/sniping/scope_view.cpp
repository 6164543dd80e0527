#include "sniping/scope_view.h"

#include "flow/game_state.h"
#include "platform/raster/surface.h"
#include "platform/toolkit/window.h"
#include "shell/sound_binding.h"
#include "shell/forms.h"
#include "sniping/map_cells.h"
#include "sniping/message_log.h"
#include "sniping/shot.h"
#include "world/names.h"
#include "world/world_model.h"

using platform::BitBlt;
using platform::Rop;
using platform::Surface;

namespace {

constexpr int kView = kCell * kViewCells;
constexpr int kScope = 200;
constexpr int kScopeSource = 3 * kCell;  // the cursor cell and its eight neighbours
constexpr int kBandHeight = 50;
constexpr uint8_t kChargeAfterShot = 246;

// The picture boxes one tick draws with, looked up once per tick.
struct ScopeSurfaces {
  Surface& work;
  Surface& main;
  Surface& sco2;
  Surface& big;
  const Surface& cip;
  const Surface& chi;
  const Surface& peple;
  const Surface& sol;
  const Surface& line1;
  const Surface& line2;
  const Surface& noise;
  const Surface& eye;
  const Surface& fra;
  const Surface& sco;
};

// Nobody stands on a cell off the grid (never reached with the play keys' bounds).
int OccupantAt(int x, int y) {
  if (x < 0 || x >= kMapCells || y < 0 || y >= kMapCells) return 0;
  return MapGrid[x][y][Occupant];
}

void DrawView(const ScopeSurfaces& s) {
  DrawMapCells({s.work, s.cip, s.chi, s.peple}, G.ScopeX, G.ScopeY);
  if (G.ShotFlash == 1) {
    // One white frame right after a shot; the steps below still draw onto it.
    BitBlt(s.work, 0, 0, kView, kView, s.fra, 0, 0, Rop::SrcCopy);
    G.ShotFlash = 0;
  }
  BitBlt(s.work, 0, 0, kView, kView, s.eye, 0, 0, Rop::SrcAnd);
  BitBlt(s.work, kCell * (G.CursorX - 1), kCell * (G.CursorY - 1), kCell, kCell, s.sol,
         G.CursorFrame, 0, Rop::SrcPaint);
  BitBlt(s.work, 0, G.NaviCounter, kView, kBandHeight, s.noise, 0, 0, Rop::SrcPaint);

  platform::StretchBlt(s.sco2, 0, 0, kScope, kScope, s.work, kCell * (G.CursorX - 2),
                       kCell * (G.CursorY - 2), kScopeSource, kScopeSource, Rop::SrcCopy);
  BitBlt(s.sco2, 0, 0, kScope, kScope, s.sco, 0, 0, Rop::SrcAnd);
  BitBlt(s.sco2, 0, 0, kScope, kScope, s.sco, 0, kScope, Rop::SrcPaint);

  // The cross-hairs go on after the scope has been taken, so it never shows them.
  BitBlt(s.work, kCell * G.CursorX - 8, 0, 1, kView, s.line1, 0, 0, Rop::SrcPaint);
  BitBlt(s.work, 0, kCell * G.CursorY - 8, kView, 1, s.line2, 0, 0, Rop::SrcPaint);

  BitBlt(s.big, 0, 0, kScope, kScope, s.sco2, 0, 0, Rop::SrcCopy);
  BitBlt(s.main, 0, 0, kView, kView, s.work, 0, 0, Rop::SrcCopy);
}

void ShowIdentity(platform::Form& form) {
  BuildPersonName(G.HoverPerson);
  PushLogMessage("Pdition-");
  PushLogMessage("Set_=" + G.ShotName);
  form("cname").caption = G.ShotName;
  form("ccode").caption = KindWord(People[G.HoverPerson][Kind]);
  G.ShownPerson = G.HoverPerson;
}

void Identify(platform::Form& form) {
  const int cx = G.ScopeX + G.CursorX, cy = G.ScopeY + G.CursorY;
  platform::Control& marker = form("gung");
  if (OccupantAt(cx, cy) == 0) {
    G.CursorFrame = 0;
    marker.visible = false;
    G.HoverSoundPerson = 0;
    return;
  }
  G.CursorFrame = kCell;
  if (int person = PersonAt(cx, cy); person != 0) G.HoverPerson = person;
  if (G.SoundOn == 1 && G.HoverSoundPerson != G.HoverPerson) {
    STPlay(wave_slot::Hover);
    G.HoverSoundPerson = G.HoverPerson;
  }
  marker.visible = People[G.HoverPerson][Kind] == Target;
  if (G.ShotBusy == 0 && G.ShownPerson != G.HoverPerson) ShowIdentity(form);
  if (G.HiddenMode == 1 && G.Charge == 0) {
    PushLogMessage("CarsolCode_#090");
    ResolveShot();
    G.Charge = kChargeAfterShot;
    G.ShotBusy = 1;
  }
}

}  // namespace

void Tim1_Timer() {
  platform::Form& form = Form1();
  platform::Control& work = form("work");
  work.Cls();
  G.ScopeX = G.ViewX;
  G.ScopeY = G.ViewY;
  const ScopeSurfaces surfaces{work.image,          form("main").image,  form("sco2").image,
                               form("big").image,   form("cip").image,   form("chi").image,
                               form("peple").image, form("sol").image,   form("line1").image,
                               form("line2").image, form("noise").image, form("eye").image,
                               form("fra").image,   form("sco").image};
  DrawView(surfaces);
  Identify(form);
}
