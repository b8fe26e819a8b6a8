; Benchmark load: MMC3 rewriting three CHR registers (a 2 KB background bank and two 1 KB
; sprite banks) on every pass of its main loop, each with a new bank.
.include "chr_switch.inc"

.segment "HEADER"
  .byte "NES", $1A, 2, 4, $41, $00   ; 32 KB PRG, 32 KB CHR, mapper 4, vertical
  .res 8, 0

.segment "CODE"
switch_loop:
  inx
  txa
  ldy #0                ; R0: 2 KB at $0000
  sty $8000
  sta $8001
  ldy #2                ; R2: 1 KB at $1000
  sty $8000
  sta $8001
  ldy #5                ; R5: 1 KB at $1C00
  sty $8000
  sta $8001
  jmp switch_loop
