; Board 118 counter, armed once per frame: it reloads itself after each IRQ and stays
; enabled, so the second split needs no register write at all. Pages as on the MMC3.
.segment "HEADER"
  .byte "NES", $1A, 2, 1, $61, $70  ; 2 x 16 KB PRG, 1 x 8 KB CHR, mapper 118
  .res 8, 0

.include "board_split.inc"

.segment "CODE"

IRQCOUNTER = $C000         ; the counter itself, plus one
IRQRELOAD  = $C001         ; the value after each IRQ, plus one
IRQDISABLE = $E000
IRQENABLE  = $E001

show_page:
  ldy #$82
  sty $8000
  sta $8001
  rts
arm_first:
  lda #80 - 1
  sta IRQRELOAD
  lda #80
  sta IRQCOUNTER
  sta IRQENABLE
arm_next:
  rts
disarm:
  sta IRQDISABLE
  rts
