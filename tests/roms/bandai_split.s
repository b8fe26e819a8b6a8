; Board 16 (Bandai) counter: it subtracts 116 CPU cycles per scanline and fires when it passes
; below zero. Armed from the NMI on line 244, 98 lines lead to line 80: 116 x 97 <= 11300 <
; 116 x 98. From the IRQ, 80 lines: 116 x 79 <= 9200 < 116 x 80.
.include "board_split.inc"
INES_HEADER $01, $10  ; mapper 16, vertical

.segment "CODE"

BANDAI_CHR0       = $8000
BANDAI_IRQENABLE  = $800A
BANDAI_COUNTERLOW = $800B  ; also clears the high byte
BANDAI_COUNTERHIGH = $800C

show_page:
  sta BANDAI_CHR0
  rts
arm_first:
  lda #<11300
  ldy #>11300
  bne arm                  ; always taken
arm_next:
  lda #<9200
  ldy #>9200
arm:
  sta BANDAI_COUNTERLOW
  sty BANDAI_COUNTERHIGH
  STORE BANDAI_IRQENABLE, 1
  rts
disarm:
  STORE BANDAI_IRQENABLE, 0
  rts
