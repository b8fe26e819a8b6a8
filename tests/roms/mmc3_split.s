; Board 4 (MMC3) counter: it counts rendered lines down and fires at 0; each IRQ acknowledges
; and re-arms it. With bit 7 of the select, the 1 KB bank R2 is the one at $0000.
.include "board_split.inc"
INES_HEADER $41, $00  ; mapper 4, vertical

.segment "CODE"

MMC3_SELECT     = $8000
MMC3_DATA       = $8001
MMC3_IRQLATCH   = $C000    ; on this board: the counter itself, plus one
MMC3_IRQDISABLE = $E000
MMC3_IRQENABLE  = $E001

show_page:
  ldy #$82
  sty MMC3_SELECT
  sta MMC3_DATA
  rts
arm_first:
  lda #80                  ; from vertical blank: the IRQ fires on visible line 80
  bne arm                  ; always taken
arm_next:
  lda #80 - 1              ; counted from the line after this one
arm:
  sta MMC3_IRQDISABLE      ; acknowledge
  sta MMC3_IRQLATCH
  sta MMC3_IRQENABLE
  rts
disarm:
  sta MMC3_IRQDISABLE
  rts
