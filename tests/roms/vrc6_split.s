; Board 24 (VRC6) counter: it counts up once per scanline from its reload value and fires on
; reaching $FF. Armed from the NMI on line 244, it counts 17 lines to the end of the frame and
; 81 more to fire on line 80: 255 - 98 = 157. From the IRQ, 80 lines: 255 - 80 = 175.
.segment "HEADER"
  .byte "NES", $1A, 2, 1, $81, $10  ; 2 x 16 KB PRG, 1 x 8 KB CHR, mapper 24, vertical
  .res 8, 0

.include "board_split.inc"

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
