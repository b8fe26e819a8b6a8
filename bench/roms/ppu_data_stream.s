; Benchmark load: the CPU writes PPU memory through $2007 all frame long, 32 bytes into the
; pattern tables (CHR RAM) and 32 into a name table a pass, with the picture on.
.include "worst_case.inc"

.segment "HEADER"
  .byte "NES", $1A, 2, 0, $01, $00   ; 32 KB PRG, CHR RAM, mapper 0, vertical
  .res 8, 0

.segment "CODE"
reset:
  START_WORST_CASE $80
  ldy #0
stream:
  iny
  tya
  and #$1F                 ; pattern bytes from $0000 + 32 x (pass and 31)
  lsr
  lsr
  lsr
  sta PPUADDR
  tya
  asl
  asl
  asl
  asl
  asl
  sta PPUADDR
  ldx #32
: tya
  sta PPUDATA
  dex
  bne :-
  lda #$21                 ; then 32 name-table bytes at $2100
  sta PPUADDR
  stx PPUADDR
  ldx #32
: tya
  sta PPUDATA
  dex
  bne :-
  jmp stream

nmi_hook:
  rts
