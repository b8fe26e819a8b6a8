// The one place that knows which board handles which write. Each board family adds its
// numbers here and keeps its handlers in its own file.
#include "cart/board_bandai.h"
#include "cart/board_bank_latch.h"
#include "cart/board_discrete.h"
#include "cart/board_latch.h"
#include "cart/board_low_registers.h"
#include "cart/board_misc.h"
#include "cart/board_mmc1.h"
#include "cart/board_mmc3.h"
#include "cart/board_mmc3_style.h"
#include "cart/board_multicart.h"
#include "cart/board_namco.h"
#include "cart/board_registers.h"
#include "cart/board_vrc.h"
#include "cart/boards.h"
#include "core/globals.h"
#include "core/machine.h"

void WriteHighRange(Machine& m, uint16_t address, uint8_t value) {
  switch (MapperNumber) {
    case 1:
      Mmc1High(m, address, value);
      break;
    case 2:
      Mapper2High(m, address, value);
      break;
    case 3:
      Mapper3High(m, address, value);
      break;
    case 4:
      Mmc3High(m, address, value);
      break;
    case 7:
      Mapper7High(m, address, value);
      break;
    case 8:
      Mapper8High(m, address, value);
      break;
    case 11:
      Mapper11High(m, address, value);
      break;
    case 15:
      Mapper15High(m, address, value);
      break;
    case 34:
      Mapper34High(m, address, value);
      break;
    case 41:
      Mapper41High(m, address, value);
      break;
    case 6:
      Mapper6High(m, address, value);
      break;
    case 10:
      Mapper10High(m, address, value);
      break;
    case 16:
      Mapper16High(m, address, value);
      break;
    case 18:
      Mapper18High(m, address, value);
      break;
    case 19:
      NamcoHigh(m, address, value);
      break;
    case 21:
      Mapper21High(m, address, value);
      break;
    case 22:
      Mapper22High(m, address, value);
      break;
    case 23:
      Mapper23High(m, address, value);
      break;
    case 24:
      Mapper24High(m, address, value);
      break;
    case 25:
      Mapper25High(m, address, value);
      break;
    case 26:
      Mapper26High(m, address, value);
      break;
    case 32:
      Mapper32High(m, address, value);
      break;
    case 33:
      Mapper33High(m, address, value);
      break;
    case 64:
      Mapper64High(m, address, value);
      break;
    case 65:
      Mapper65High(m, address, value);
      break;
    case 68:
      Mapper68High(m, address, value);
      break;
    case 69:
      Mapper69High(m, address, value);
      break;
    case 73:
      Mapper73High(m, address, value);
      break;
    case 74:
      Mmc3High(m, address, value);
      break;
    case 90:
      Mapper90High(m, address, value);
      break;
    case 96:
      Mapper96High(m, address, value);
      break;
    case 112:
      Mapper112High(m, address, value);
      break;
    case 115:
      Mapper115High(m, address, value);
      break;
    case 118:
      Mapper118High(m, address, value);
      break;
    case 160:
      Mapper160High(m, address, value);
      break;
    case 161:
      Mapper161High(m, address, value);
      break;
    case 245:
      Mapper245High(m, address, value);
      break;
    case 249:
      Mapper249High(m, address, value);
      break;
    case 250:
      Mapper250High(m, address, value);
      break;
    case 66:
      Mapper66High(m, address, value);
      break;
    case 70:
      Mapper70High(m, address, value);
      break;
    case 71:
    case 232:
      Mapper71High(m, address, value);
      break;
    case 78:
      Mapper78High(m, address, value);
      break;
    case 89:
    case 228:
    case 231:
    case 242:
    case 254:
      LogOnlyHigh(m, address, value);
      break;
    case 225:
      Mapper225High(m, address, value);
      break;
    case 227:
      Mapper227High(m, address, value);
      break;
    case 240:
      Mapper240High(m, address, value);
      break;
    case 241:
      Mapper241High(m, address, value);
      break;
    // Mapper 0 (and every board without a high-range handler) ignores the write: the ROM
    // image changes only through a bank copy.
    default:
      break;
  }
}

void WriteLowRange(Machine& m, uint16_t address, uint8_t value) {
  switch (MapperNumber) {
    case 0:
      // The sound registers were stored already; storing again would undo the $4011 rule
      // that keeps a written 0 level readable as $80.
      if (address < 0x4000 || address > 0x4013) m.CpuMemory[address] = value;
      break;
    case 34:
      Mapper34Low(m, address, value);
      break;
    case 41:
      Mapper41Low(m, address, value);
      break;
    case 6:
      Mapper6Low(m, address, value);
      break;
    case 16:
      Mapper16Low(m, address, value);
      break;
    case 17:
      Mapper17Low(m, address, value);
      break;
    case 19:
      NamcoLow(m, address, value);
      break;
    case 48:
      Mapper48Low(m, address, value);
      break;
    case 161:
      Mapper161Low(m, address, value);
      break;
    case 249:
      Mapper249Low(m, address, value);
      break;
    case 66:
      Mapper66Low(m, address, value);
      break;
    case 79:
      Mapper79Low(m, address, value);
      break;
    case 80:
      Mapper80Low(m, address, value);
      break;
    case 87:
      Mapper87Low(m, address, value);
      break;
    case 91:
      Mapper91Low(m, address, value);
      break;
    case 184:
      Mapper184Low(m, address, value);
      break;
    case 240:
      Mapper240Low(m, address, value);
      break;
    case 241:
      Mapper241Low(m, address, value);
      break;
    case 246:
      Mapper246Low(m, address, value);
      break;
    default:
      // Cartridge RAM at $6000-$7FFF; everything else below $8000 is unmapped.
      if ((address & 0xE000) == 0x6000) m.CpuMemory[address] = value;
      break;
  }
}
