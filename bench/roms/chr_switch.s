; Benchmark load: mapper 3 switching its 8 KB CHR bank every 20 cycles, through all four banks,
; for the whole frame (the picture shows whatever bank each line happens to get).
.include "chr_switch.inc"

.segment "HEADER"
  .byte "NES", $1A, 2, 4, $31, $00   ; 32 KB PRG, 32 KB CHR, mapper 3, vertical
  .res 8, 0

.segment "CODE"
switch_loop:
  inx                   ; 2
  txa                   ; 2
  and #3                ; 2
  tay                   ; 2
  lda banks,y           ; 4
  sta banks,y           ; 5: the same value as the ROM byte, so no bus conflict
  jmp switch_loop       ; 3

banks:
  .byte 0, 1, 2, 3
