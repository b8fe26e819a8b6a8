// Register writes on every board, as scripts: the banks they bring into the CPU and PPU windows
// (read back through the bank tags), the name-table pages they move, the IRQs they set up and
// the lines they log.
#include <cstdio>
#include <tuple>
#include <vector>

#include "cart/board_test.h"
#include "state/state_image.h"

namespace {

using BoardWritesTest = BoardTest;

// Rows "@mapper/PRG units/CHR units[/header byte 6's low bits: 1 vertical, 8 four-screen]
// script", each from power-on. Images too small for a bank count drop the bank write (a
// remainder by zero) but keep the rest; banks past a small image show the zero-filled store
// beyond it. Without CHR ROM the pattern tables are RAM holding the game's tiles (D), which CHR
// writes leave alone.
// clang-format off
const char kRows[] =
    // Mapper 0 stores low-range writes, $2002 and the $2008+ register mirrors included, without
    // treating them as PPU writes; other boards keep only sound registers and save RAM. ROM is
    // never written.
    // Latch boards: one latched value or the written address. Mapper 8: CHR from bits 0-2 (5),
    // PRG 16 KB unit from bits 3 and up (2).
    "@0/2/1 2002=12 2008=34 8000=0 BFFF=0 FFFF=0 2002:12 2008:34 2000:0 8000:P0 FFFF:P3"
    "@2/2/1 2002=56 3FFF=78 5000=9A 4002=44 6000=BC 2002:10 3FFF:0 5000:0 4002:44 6000:BC"
    "@2/8/0 8000=9 8000:P2 BFFF:P3 C000:P14" "@3/2/4 FFFF=6 0000:C16 1FFF:C23"
    "@3/2/0 8000=16 0000:D 1000:D" "@7/8/0 8000=D 8000:P4 FFFF:P7"
    "@8/4/8 8000=15 0000:C40 1C00:C47 8000:P4" "@11/8/4 8000=36 8000:P8 FFFF:P11 0000:C24"
    "@15/8/0 8000=43 8000:P6 C000:P8" "@15/8/0 8001=5 8003=82 8000:P0 C000:P4"
    "@15/8/0 8002=83 8000:P7 A000:P7 E000:P7" "@34/8/2 8000=5 8000:P4"
    "@34/8/2 7FFD=3 7FFE=3 7FFF=6 8000:P12 0000:C12 1000:C8"
    // Mapper 41: the low address carries horizontal mirroring ($20), outer CHR (bits 3-4), inner
    // CHR enable ($04) and the 32 KB PRG bank (bits 0-2); $603D = $20 | $18 | $04 | 5; then
    // outer 4 OR inner 3. 70: PRG bits 4-6; $C010 also loads 8 KB of CHR out of the PRG ROM;
    // other ports only log. 78: a first write of $FF is a real bank (15 mod 8), not the record's
    // "unknown". 79 switches CHR alone; the rest of its low range is logged, not stored. 184
    // starts with 4 KB banks 2 and 3; only four values change them.
    "@41/16/16 603D=FF 8000=2 8000:P20 0000:C112" "@41/16/16 601B=0 8000=2 8000:P12 0000:C0"
    "@41/8/16 602C=0 C000=7 0000:C56" "@66/8/4 8000=11 8000:P4 FFFF:P7 0000:C8"
    "@70/2/0 C020=30 8000:P2" "@70/8/0 C010=13 8000:P2 0000:P3 1FFF:P3"
    "@70/8/0 C001=13 8000=13 8000:P0 0000:D" "@232/8/0 C000=9 BFFF=3 8000:P2 C000:P14"
    "@232/0/0 FFFF=3 8000:0" "@78/8/4 8000=21 8000:P2 C000:P14 0000:C16"
    "@78/8/4 8000=FF 8000:P14 A000:P15" "@79/8/4 41FF=B 0000:C24 8000:P0"
    "@79/8/4 4200=B 6000=5 0000:C0 6000:0" "@87/2/4 6000=3 6001=0 0000:C12 1FFF:C19"
    "@87/2/0 6000=16 0000:D 1000:D" "@184/2/4 6000=16 0000:C8 1000:C4"
    "@184/2/4 6000=15 6001=14 0000:C8 1000:C12"
    // 225: CHR bank = bits 0-5; bit 12 picks one 16 KB unit (bits 6-11) for both halves, else
    // a 32 KB bank (bits 7-11).
    // 227: bank = bits 3-6 plus bit 8 as bit 4. Mode 0 puts the last 16 KB of the outer 128 KB
    // block at $C000; bit 7 takes the same unit twice (mode 0) or 32 KB (mode 1). The outer
    // latch is set once, then kept until a bit-7 write clears it.
    // 240: the mapper-66 latch, plus 8 KB PRG at $9316 / $9326 that stays while the latch's
    // PRG bits do; no cartridge RAM.
    "@225/64/64 9085=77 0000:C40 8000:P4 FFFF:P5" "@225/64/64 81BE=0 1FFF:C503 8000:P12 E000:P15"
    "@227/64/0 804C=0 8000:P38 C000:P46" "@227/64/0 80CC=0 8000:P38 C000:P38"
    "@227/64/0 80C9=0 8000:P36 E000:P39" "@227/64/0 8109=0 8000:P68 C000:P64"
    "@227/64/0 8048=0 8010=0 8000:P8 C000:P46" "@227/64/0 8048=0 8090=0 8010=0 C000:P14"
    "@240/8/4 8000=21 9316=5 8000:P0 0000:C8"
    "@240/8/4 8000=0 9316=5 9326=D 6000=77 8000:P5 A000:P13 C000:P2 6000:0"
    "@241/2/0 6000=1 7FFF=2 5000=3 7FFF:2 5000:0"
    // MMC1, written serially. Control ($8000): bits 2-3 PRG mode, bit 4 CHR mode. With CHR
    // RAM, bank writes would copy an empty CHR ROM over what the game drew. The fifth write's
    // address picks the register; a reset ($80) clears the addressed one (here the PRG bank,
    // not the control) and the shift, and moves no bank.
    "@1/8/4 8000=C E000=3 8000:P6 C000:P14" "@1/8/4 8000=8 E000=3 8000:P0 C000:P6"
    "@1/8/4 8000=8 E000=3 8000=C 8000:P6 C000:P14" "@1/8/4 8000=8 E000=3 8000=0 8000:P4 C000:P6"
    "@1/8/4 8000=0 E000=5 8000:P8" "@1/32/1 8000=C E000=3 8000:P0 C000:P62"
    "@1/8/4 8000=10 A000=5 C000=2 0000:C20 1000:C8" "@1/8/4 8000=0 A000=3 C000=6 0000:C12 1000:C16"
    "@1/8/0 8000=10 A000=1 C000=1 8000=0 A000=0 0000:D 1000:D"
    "@1/8/4 8000=C A000!1 A000!0 A000!0 A000!0 E000!0 8000:P2"
    "@1/8/4 8000=C E000=1 E000!1 E000!1 E000!80 8000:P2 E000=3 8000:P6"
    // MMC3: each case starts from reset, so the first select decides the PRG arrangement, in
    // order: the first select with bit 6 re-lays PRG and the data write then fills $C000; later
    // bit 6 changes move nothing until the next data write; a first select without bit 6 uses
    // up the re-layout; data before any select. Then: 2 KB slots 0 and 1, 1 KB slots 2-5; bit 7
    // swaps the CHR halves; banks wrap. With CHR RAM, CHR selects fill PRG slots and leave the
    // pattern tables alone. A PRG switch to the bank in place copies nothing (a byte stored
    // there stays).
    "@4/8/4 8000=46 8001=3 8000:P14 A000:P0 C000:P3 E000:P15"
    "@4/8/4 8000=46 8001=3 8000=6 8000:P14"
    "@4/8/4 8000=46 8001=3 8000=6 8001=5 8000=46 8000:P5 C000:P3"
    "@4/8/4 8000=7 8000=47 8000:P0 A000:P1 C000:P14" "@4/8/4 8001=3 8000:P0 0000:C0"
    "@4/8/4 8000=81 8001=9 1800:C9 1C00:C10" "@4/8/4 8000=82 8001=7 0000:C7 0400:C1"
    "@4/8/4 8000=5 8001=21 1C00:C1" "@4/8/4 8000=C7 8001=11 A000:P1"
    "@4/8/0 8000=0 8001=3 8000=85 8001=6 8000:P3 A000:P6 0000:D 1C00:D"
    "@4/8/4 8000=6 8001=5 8000<EE 8000=6 8001=5 8000:EE"
    // MMC3-style boards: 8 PRG and 4 CHR units, or none (CHR RAM).
    // Mapper 64 starts with the last 8 KB everywhere. Its own select table: 8 and 9 ignore bit
    // 7, 10-14 select nothing; no CHR-RAM step; exact addresses only.
    // Mapper 112: data at $A000 ($8001 is no register); slots 0-1 PRG, 2-7 CHR. CHR RAM turns
    // every select into 6 or 7: CHR slots with nothing to copy.
    // Mapper 161: slot 6 is always $8000, $8800 selects $E000; 4 KB of cartridge RAM.
    // Mapper 245: slot 6 stays at $8000 (no swap step); CHR windows come from PRG 1 KB units.
    // Mapper 249: $8800 as MMC3 with slot 7 at $C000; $8000 puts both PRG slots at $A000 and
    // leaves the first-select re-layout to $8800; 4 KB of cartridge RAM.
    "@64/8/4 8000=F 8001=5 8000=4F 8001=6 C000:P5 8000:P6"
    "@64/8/4 8000=46 8001=3 8000=47 8001=4 A000:P3 C000:P4"
    "@64/8/4 8000=88 8001=9 8000=80 8001=4 0400:C9 1000:C4 1400:C5"
    "@64/8/4 8000=6 8000=B 8002=7 8001=3 8000:P3 A000:P15" "@64/8/0 8000=0 8001=3 0000:D 8000:P15"
    "@74/8/4 8000=46 8001=3 8000:P14 C000:P3" "@112/8/4 8000=40 A000=3 8001=5 8000:P14 C000:P3"
    "@112/8/4 8000=1 A000=5 8000=87 A000=9 A000:P5 0C00:C9" "@112/8/0 8000=2 A000=4 1800:D 8000:P0"
    "@115/8/4 8000=7 8001=9 A000:P9" "@118/8/4 8000=82 8001=9 0000:C9"
    "@161/8/4 8000=46 8001=3 8800=0 8801=2 8000:P3 A000:P0 E000:P2"
    "@161/8/4 8000=7 8003=5 6001=11 7001=22 A000:P1 6001:11 7001:0"
    "@245/8/0 8000=46 8001=6 8000=47 8001=5 8000:P6 A000:P5"
    "@245/8/0 8000=80 8001=7 8000=5 8001=8 1000:P0 1400:P1 1800:D 1C00:P1"
    "@249/8/4 8800=7 8801=5 6002=33 7002=44 C000:P5 6002:33 7002:0"
    "@249/8/4 8000=46 8001=4 A000:P4 8000:P0" "@249/8/4 8000=47 8800=46 8801=9 8000:P14 C000:P9"
    "@249/8/0 8000=0 8001=6 A000:P6"
    // VRC: 8 PRG and 16 CHR units; CHR halves copy only when both have arrived. The first row
    // is mapper 21's second wiring: lines 2 and 3 stand for lines 0 and 1. One half: nothing
    // yet; $93 mod 128. 23: $B004 is read with lines 2-3 for that write only. 25: a first
    // address ending in 4 fixes lines 2-3 for good ($B00C is window 1's high half); one ending
    // in 2 fixes lines 0-1 ($B006 is window 1's high half). CHR RAM keeps its tiles. 26: lines
    // 0 and 1 exchanged: $D001 is $0800, $D002 is $0400.
    "@21/8/16 B004=5 B006=1 0400:C21" "@21/8/16 8000=3 A000=5 8000:P3 A000:P5"
    "@21/8/16 9002=2 8000=3 8000:P0 C000:P3" "@21/8/16 B000=5 B002=1 0000:C21"
    "@21/8/16 B000=5 0000:0" "@21/8/16 C000=3 C002=9 0800:C19" "@22/8/16 B000=A B002=2 0000:C21"
    "@22/8/16 E001=4 E003=6 1C00:C50" "@22/8/16 8000=3 8001=4 A001=4 8000:P3 A000:P1"
    "@23/8/16 B000=5 B001=1 0000:C21" "@23/8/16 B000=5 B004=1 0000:C21"
    "@23/8/16 D008=2 D00C=1 1400:C18" "@23/8/16 8FFF=2 A123=6 8000:P2 A000:P6"
    "@25/8/16 B004=5 B00C=1 0400:C21" "@25/8/16 B004=5 B00C=1 B008=2 B000=3 0000:C35"
    "@25/8/16 B002=1 B000=5 B004=2 B006=1 0000:C21 0400:C18"
    "@25/8/16 9001=2 8000=4 A000=7 8000:P0 A000:P7 C000:P4"
    "@24/8/16 8000=2 C000=7 8000:P4 A000:P5 C000:P7" "@24/8/16 D001=9 E003=82 0400:C9 1C00:C2"
    "@24/8/0 D001=9 0400:D" "@26/8/16 D001=9 D002=7 E000=4 0800:C9 0400:C7 1000:C4"
    // Bandai: a 256 KB image: the high range reduces the PRG bank by 32 units, the low range
    // not at all, so unit 40 lies past the image (zero) but inside the store. Jaleco: only the
    // second half of a pair copies; bank $FF, which a record cannot tell from "none", wraps
    // inside the store. Namco: 32 CHR units, so banks $E0 and up exist and need the CHR mode bit
    // of their half; bank 0 is copied although it was never there; $25 mod 32; only
    // $6000-$6FFF is RAM.
    "@16/16/16 8008=28 8000:P16 C000:P30" "@16/16/16 6008=28 8000:0 BFFF:0"
    "@16/16/16 6003=7 800D=9 0C00:C7 6003:0" "@16/16/0 8000=7 0000:D" "@18/16/16 8000=3 8000:P0"
    "@18/64/16 8000=F 8001=F 8000:P127" "@18/16/16 8002=4 8003=0 9000=5 9001=1 A000:P4 C000:P21"
    "@18/16/16 A000=2 A001=0 D002=3 D003=1 0000:C2 1C00:C19"
    "@19/8/32 E000=3 E800=C5 F000=2 8000:P3 A000:P5 C000:P2 E000:P15" "@19/8/32 E000=0 8000:P0"
    "@19/8/32 8800=9 B800=21 0400:C9 1C00:C33" "@19/8/32 8000=E3 A000=E4 0000:C248 1000:C252"
    "@19/8/32 E800=40 8000=E3 0000:C227" "@19/8/4 8000=25 0000:C5"
    "@19/8/4 6000=11 7000=22 6000:11 7000:0"
    // Register boards: 8 PRG and 4 CHR units unless a case says otherwise. Mapper 65: PRG
    // reduced, 1 KB CHR at (address AND 7). Mapper 68: 2 KB CHR windows, each with its own
    // record; 16 KB PRG at $8000. Mapper 69: command at $8000, argument at $A000; the first PRG
    // write copies even bank 0. Mapper 73: 8 KB windows at $A000/$C000 start on 4 KB
    // boundaries; $F000 in 8 KB steps. Mapper 90: a register is two nibbles, low first; only
    // the second write copies. Mapper 96: 8 KB in 4 KB steps to $8000, $C000, $E000.
    "@65/8/4 8000=3 A000=11 C000=4 B005=3 9000=2 8000:P3 A000:P1 C000:P4 1400:C3 1000:0"
    "@68/8/4 9000=5 B000=5 A000=11 F000=9 0800:C10 1C00:C11 1000:C2 A000:P3"
    "@69/8/4 8000=3 A000=7 8000=19 A000=5 8000=B 0C00:C7 8000:P5 C000:P14"
    "@69/8/4 8000=B A000=0 C000:P0 E000:P15" "@69/8/4 8000=8 A000=3 6000:P3 7FFF:P3"
    "@69/8/4 8000=8 A000=43 6000:0" "@73/8/4 F000=1 C000=13 8000:P1 A000:P2 C000:P1 D000:P2"
    "@90/16/4 8000=3 8000:P0" "@90/16/4 8000=21 8001=11 9000=6 9001=0 A000=9 8000:P17 C000:P6"
    "@90/16/4 A000=9 A001=0 0000:C9" "@96/8/4 F000=3 F004=4 F001=5 8000:P1 9000:P2 C000:P2"
    "@160/8/4 8001=5 8003=6 8002=4 B001=1 9003=7 A000:P5 C000:P4 E000:P15 0C00:C7"
    "@250/8/4 8B06=3 8E11=4 8B07=5 8000:P3 A000:P4"
    // 80: 2 KB CHR at any 1 KB page (bit 7 is the name-table bit), 1 KB CHR, 8 KB PRG in pairs.
    // 91: 2 KB CHR by address bits 0-1; 8 KB PRG at $8000 or $A000 by address bit 0.
    // 16 PRG units (32 banks of 8 KB). Mapper 10: both latches start at $FE, so only the $FE
    // candidates show at once; 9 mod 8 banks of 4 KB.
    // Mapper 6 swaps whole 8 KB CHR RAM banks: bank 1 is empty, and going back to bank 0
    // brings back what the game drew. Mapper 32 starts in the mode that sends $8FF0 banks to
    // $C000.
    "@80/16/16 7EF0=3 7EF1=85 7EF5=2 07FF:C4 0800:C5 1C00:C2"
    "@80/16/16 7EFB=23 7EFC=4 7EFF=5 8000:P3 A000:P4 C000:P5"
    "@80/16/16 7EF6=3 6000=9 1000:C4 6000:0" "@80/2/0 7EF0=16 0000:D 1000:D"
    "@91/8/32 6002=5 6FFD=9 1000:C10 17FF:C11 0800:C18" "@91/8/32 7001=13 7FFE=2 A000:P3 8000:P2"
    "@246/8/4 6805=42 6008=42 6805:42 6008:0" "@246/8/4 6000=7 6003=9 8000:P7 E000:P9"
    "@246/8/4 6006=12 1000:C4 17FF:C5 1800:C6" "@10/16/4 C000=3 B000=2 0000:C12"
    "@10/16/4 E000=9 D000=2 1000:C4" "@10/16/4 A000=3 8000=5 8000:P6 C000:P30"
    "@6/16/0 8000=5 8000:P2 C000:P14 0000:0" "@6/16/0 8000=5 8000=4 0000:D 8000:P2"
    "@6/16/0 42F1=0 8000=5 8000:P0 0000:D" "@6/16/0 6000=1 4504=2 6000:1 4504:0"
    "@17/16/4 4504=3 4505=4 4506=5 4507=26 8000:P3 A000:P4 C000:P5 E000:P6"
    "@17/16/4 4512=9 4517=21 0800:C9 1C00:C1" "@32/16/4 8FF0=3 8000:P0 C000:P3"
    "@32/16/4 9FF0=0 8FF5=4 AFF0=6 8000:P4 A000:P6" "@32/16/4 BFF5=9 BFE5=7 1400:C9"
    "@33/16/4 8000=5 8000=0 8001=3 8000:P0 A000:P3" "@33/16/4 8002=3 A002=9 0000:C6 0400:C7 1800:C9"
    "@48/16/4 5115=85 5114=3 5116=21 8000:P5 A000:P3 C000:P1 E000:P31"
    "@48/16/4 5103=6 6000=7 8000=1 A000:P6 6000:7 8000:P31"
    // A recorded window is copied again unless its record names the requested bank; the byte
    // stored between the writes shows whether it was (CHR page 256 does not fit a record).
    "@69/8/4 8000=9 A000=5 8000<77 A000=5 8000:77" "@68/8/4 8000=9 9000=3 1C00<77 B000=3 1C00:C7"
    "@68/8/64 8000=80 0000<77 8000=0 0000:C0"
    // Mirroring registers, from the vertical layout A B A B: the tables after the writes and,
    // where the board sets it, VerticalMirroring (VM). Value 2 of the VRC-style registers always
    // shows page A, 3 page B. Mapper 68 reads 0 as horizontal; mappers 64 and 225 set the flag
    // alone; mapper 25's $9001 is the PRG-target register, not mirroring. On a four-screen
    // image (the rows ending in 8) tables 2 and 3 are the cartridge's own RAM: no arrangement
    // change copies over them, whichever board makes it.
    "@74/8/16/1 NT<ABAB A000=1 NT:AABB VM:0" "@118/8/16/1 NT<ABAB A000=0 NT:AABB VM:0"
    "@115/8/16/1 NT<ABAB A000=1 NT:ABAB VM:1" "@249/8/16/1 NT<ABAB A800=1 NT:AABB VM:0"
    "@249/8/16/1 NT<ABAB A000=1 NT:ABAB VM:1" "@64/8/16/1 NT<ABAB A000=0 NT:ABAB VM:0"
    "@68/8/16/1 NT<ABAB E000=0 NT:AABB VM:0" "@68/8/16/1 NT<ABAB E000=3 NT:BBBB VM:1"
    "@69/8/16/1 NT<ABAB 8000=C A000=1 NT:AABB VM:0" "@69/8/16/1 NT<ABAB 8000=C A000=2 NT:AAAA VM:1"
    "@21/8/16/1 NT<ABAB 9000=1 NT:AABB" "@22/8/16/1 NT<ABAB 9000=3 NT:BBBB"
    "@23/8/16/1 NT<ABAB 9000=FF NT:AABB" "@25/8/16/1 NT<ABAB 9000=2 NT:AAAA"
    "@25/8/16/1 NT<ABAB 9001=1 NT:ABAB" "@24/8/16/1 NT<ABAB B003=2C NT:BBBB"
    "@24/8/16/1 NT<ABAB B003=25 NT:ABAB" "@16/8/16/1 NT<ABAB 6009=2 NT:AAAA"
    "@18/8/16/1 NT<ABAB F002=1 NT:AABB" "@10/8/16/1 NT<ABAB F000=1 NT:AABB"
    "@32/8/16/1 NT<ABAB 9FF0=1 NT:AABB" "@33/8/16/1 NT<ABAB 8000=0 NT:AABB"
    "@6/8/16/1 NT<ABAB 42FE=10 NT:BBBB" "@6/8/16/1 NT<ABAB 42FF=10 NT:AABB"
    "@17/8/16/1 NT<ABAB 42FE=10 NT:BBAB" "@70/8/16/1 NT<ABAB C080=80 NT:AABB VM:0"
    "@70/8/16/1 NT<ABAB C080=0 NT:ABAB VM:1" "@227/8/16/1 NT<ABAB 8000=0 NT:AABB VM:0"
    "@227/8/16/1 NT<ABAB 8002=0 NT:ABAB VM:1" "@240/8/16/1 NT<ABAB 4800=1 NT:AABB VM:0"
    "@225/8/16/1 NT<ABAB A000=0 NT:ABAB VM:0" "@41/8/16/1 NT<ABAB 602C=0 NT:AABB VM:0"
    "@41/8/16/1 NT<ABAB 6000=0 NT:ABAB VM:1" "@10/8/16/8 NT<ABCD F000=1 NT:..CD"
    "@7/8/16/8 NT<ABCD 8000=10 NT:..CD" "@21/8/16/8 NT<ABCD 9000=2 NT:..CD"
    "@6/8/16/8 NT<ABCD 42FF=10 NT:..CD" "@17/8/16/8 NT<ABCD 42FE=0 NT:..CD"
    // Boards that move name-table pages in ways of their own, from the tables' starting pages.
    // MMC1: one-screen with bit 0 set still shows page A; back to two screens, page B returns.
    // Mapper 7: only page A lives in the tables under one-screen mirroring; page B waits in the
    // scratch, and a store on page B reaches all four tables.
    "@1/8/4 NT<AABB 8000=2 NT:ABAB 8000=3 NT:AABB 8000=1 NT:AAAA 8000=0 NT:AAAA 8000=2 NT:ABAB"
    "@1/8/4 NT<AABB 8000=2 2000>78 NT:xBxB 8000=0 NT:xxxx 8000=3 NT:xxBB"
    "@7/4/0/1 NT<ABAB 8000=0 NT:AAAA 8000=8 NT:BBBB 2C00>62 NT:bbbb 8000=0 NT:AAAA"
    "@7/4/0/1 NT<ABAB 8000=8 2C00>62 8000=0 8000=0 NT:AAAA 8000=8 NT:bbbb"
    // Namco: NT0-NT1 start on console page 0, NT2-NT3 on page 1 (four-screen); a ROM page covers
    // a table and saves the console page under it until a value of $E0 or more brings it back
    // (ROM over ROM keeps the saved page; a second $E1 changes nothing). Tags P, Q and R are
    // pages $4F, $50 and $51.
    // Mapper 80's 2 KB registers move pages through the scratch page by bit 7 and a state that
    // starts at 1 at power-on (a repeated write moves nothing); it ends in one-screen.
    // MMC3 copies the arrangement only when it changes ($BFFE mirrors $A000), never under
    // four-screen.
    "@19/8/32 NT<abcd C000=4F NT:Pbcd D800=51 NT:PbcR C000=50 NT:QbcR C000=E0 NT:abcR"
    "@19/8/32 NT<abcd C000=4F D800=51 C000=E0 DFFF=E1 NT:abcd 2000>78 C000=E1 NT:xbcd"
    "@80/16/16 NT<ABCD 7EF0=0 NT:CDCD 7EF0=0 NT:CDCD 7EF0=80 NT:AACD 7EF1=0 NT:AAAA"
    "@80/16/16 NT<ABCD 7EF0=0 7EF0=80 7EF1=0 7EF1=80 NT:AACC VM:0 2000>7A NT:zzzz"
    "@4/8/4 NT<AABB A000=0 NT:ABAB NT<ABZB BFFE=0 NT:ABZB A000=1 NT:AABB"
    "@4/8/4/8 NT<ABCD A000=0 A000=1 NT:ABCD"
    // Counter registers written through the bus, then the line on which the frame loop's counter
    // steps take the IRQ (the counters' arithmetic itself is the counter table's business).
    // Mapper 245 fires as written, no plus one. Mapper 69: 16-bit counter less 114 a line,
    // fires below $81: $1D6 on the third line. The VRC counters count up from their latch ($FD)
    // and fire at $FF; 23 already at $FD; 26 counts 40 lines more than written.
    "@4/8/4 C000=4 E001=0 IRQ:5" "@118/8/4 C001=2 C000=4 E001=0 IRQ:5"
    "@245/8/4 C000=4 E001=0 IRQ:4" "@249/8/4 C800=4 E801=1 IRQ:5" "@249/8/4 C800=4 E801=0 IRQ:0"
    "@69/8/4 8000=E A000=D6 8000=F A000=1 8000=D A000=1 IRQ:3" "@73/8/4 D000=3 B000=1 IRQ:3"
    "@160/8/4 C001=3 C000=0 IRQ:3" "@160/8/4 C001=3 C000=0 C003=5 IRQ:5"
    "@6/8/4 4502=0 4503=FF IRQ:2" "@6/8/4 4502=0 4503=FF 4501=0 IRQ:0"
    "@16/8/4 800B=F4 800C=1 800A=1 IRQ:5" "@16/8/4 600B=F4 600C=1 600A=1 IRQ:5"
    "@18/8/4 E000=64 E002=1 F000=0 F001=2 IRQ:0" "@19/8/4 5000=8D 5800=FF IRQ:2"
    "@21/8/4 F000=D F002=F F004=2 IRQ:2" "@23/8/4 F000=D F004=F F008=2 IRQ:1"
    "@24/8/4 F000=FD F001=2 IRQ:2" "@25/8/4 F008=F F000=D F004=2 IRQ:2"
    "@26/8/4 F000=DB F002=3 IRQ:3"
    // Boards recognised without banking only log: the address, then the value (decimal);
    // cartridge RAM and sound registers are never logged. Mapper 6 logs its $4500 value, and
    // high-range writes once out of copier mode.
    "@89/8/4 8123=42 6000=42 4015=42 LOG:33059/66/"
    "@241/8/4 8123=42 6000=42 4015=42 LOG:W33059/66/" "@6/8/4 4500=4D 42F0=40 8000=5 LOG:77/5/";
// clang-format on

TEST_F(BoardWritesTest, EveryBoardTakesItsWrites) {
  std::istringstream rows(kRows);
  for (std::string row; std::getline(rows, row, '@');) {
    if (row.empty()) continue;
    SCOPED_TRACE("mapper " + row);
    unsigned mapper, prg, chr, flags6 = 0;
    int used = 0;
    std::sscanf(row.c_str(), "%u/%u/%u%n/%u%n", &mapper, &prg, &chr, &used, &flags6, &used);
    LoadBoard(uint8_t(mapper), uint8_t(prg), uint8_t(chr), uint8_t(flags6));
    LogStart();
    RunScript(row.substr(used));
  }
}

// Without CHR ROM a $FD tile flips the latch but has no store to copy from: the patterns
// stay what the game drew.
TEST_F(BoardWritesTest, Mapper10TileLatchWithoutChrRomKeepsTheDrawnTiles) {
  LoadBoard(10, 16, 0);
  m().PpuMemory[0x2000] = 0xFD, m().CpuMemory[kPpuMask] = 0x18, m().VramAddress = 0x2000;
  std::array<uint8_t, 256> row{}, base{};
  m().RenderScanline(row.data(), base.data(), 0);
  EXPECT_EQ(std::tuple(At(0x0000), At(0x0FFF), m().LineReload), std::tuple(kDrawn, kDrawn, 0xFD));
}

// Mapper 8 leaves the new CHR to the frame-start rebuild; the other boards decode at once.
// Column 3 of the tile row at $1C00 is colour 3 for page 23 (tag $18), 0 for page 7 ($08).
// With MapperFlag set, mapper 160 refuses CHR writes during the vertical blank; otherwise it
// too waits for the pattern cache rebuild at the next frame start.
TEST_F(BoardWritesTest, ChrWritesLeftToTheFrameStart) {
  LoadBoard(8, 2, 8);
  RunScript("8000=2 1C00:C23");
  EXPECT_EQ(std::tuple(m().PatternsDirty, m().PatternCache[0x1C00 * 4 + 3]), std::tuple(1, 0));
  LoadBoard(160, 8, 4);
  RunScript("9001=9 0400:C9 B001=1");
  EXPECT_EQ(m().PatternsDirty, 1);
  m().VblankPeriod = 1;
  RunScript("9001=3 0400:C9");
}

// A state load and a new cartridge put other bytes in a PRG window than its record says, so
// the next switch must copy even to the recorded bank.
TEST_F(BoardWritesTest, Mmc3PrgRecordsFollowStateLoadsAndNewCartridges) {
  LoadBoard(4, 8, 4);
  RunScript("8000=6 8001=5");
  std::vector<uint8_t> saved(kStateImageSize);
  WriteStateImage(m(), saved.data());
  RunScript("8001=6");
  ASSERT_EQ(LoadStateImage(m(), saved.data(), saved.size()), nullptr);
  RunScript("8000:P5 8000=6 8001=6 8000:P6 8001=0 8000<EE");
  ASSERT_EQ(Load(Image(4, 8, 4)), kLoadOk);  // power-on puts bank 0 there, from the new image
  EXPECT_EQ(At(0x8000), P(0));
}

}  // namespace
