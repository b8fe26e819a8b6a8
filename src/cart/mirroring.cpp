#include "cart/mirroring.h"

#include "core/globals.h"
#include "core/machine.h"

void SelectMirroring(Machine& m, Mirroring arrangement) {
  switch (arrangement) {
    case Mirroring::Vertical:
      m.RestoreVertical();
      VerticalMirroring = 1;
      m.OneScreenLow = m.OneScreenHigh = 0;
      break;
    case Mirroring::Horizontal:
      m.RestoreHorizontal();
      VerticalMirroring = 0;
      m.OneScreenLow = m.OneScreenHigh = 0;
      break;
    case Mirroring::OneScreenLow:
      m.SetOneScreenLow();
      m.OneScreenLow = 1, m.OneScreenHigh = 0;
      break;
    case Mirroring::OneScreenHigh:
      m.SetOneScreenHigh();
      m.OneScreenLow = 0, m.OneScreenHigh = 1;
      break;
  }
}
