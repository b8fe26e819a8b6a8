; Board 24 (VRC6) counter: it counts up once per scanline from its reload value and fires on
; reaching $FF. Armed from the NMI on line 244, it counts 17 lines to the end of the frame and
; 81 more to fire on line 80: 255 - 98 = 157. From the IRQ, 80 lines: 255 - 80 = 175.
.include "board_split.inc"
INES_HEADER $81, $10  ; mapper 24, vertical

.segment "CODE"

VRC6_CHR0      = $D000
VRC6_IRQLATCH  = $F000
VRC6_IRQENABLE = $F001     ; bit 1 enables and reloads the counter

show_page:
  sta VRC6_CHR0
  rts
arm_first:
  lda #157
  bne arm                  ; always taken
arm_next:
  lda #175
arm:
  sta VRC6_IRQLATCH
  STORE VRC6_IRQENABLE, 2
  rts
disarm:
  STORE VRC6_IRQENABLE, 0
  rts
