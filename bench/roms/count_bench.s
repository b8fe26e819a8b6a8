; Benchmark load: a program that waits for the next frame in counting delay loops (DEY/BNE and
; its kin) between looks at the NMI's flag, the way some programs pace themselves. The number of
; delay rounds a wait took becomes the horizontal scroll, so the picture shows whether every
; loop was charged exactly. Assembled with tests/roms on the include path for the shared macros.
.include "ppu_common.inc"
.include "scroll_nmi.inc"
INES_HEADER 1

.segment "ZEROPAGE"
frame_ready: .res 1
rounds: .res 1
scroll_y: .res 1
delay: .res 1

.segment "CODE"
reset:
  START_UP palette
  FILL_TABLE $20, 5
  FILL_TABLE $24, 3
  lda #$80
  sta PPUCTRL

main:
  lda #0
  sta rounds
@wait:
  inc rounds
  ldy #40             ; DEY / BNE down to zero
: dey
  bne :-
  ldx #$E0            ; INX / BNE up to zero
: inx
  bne :-
  lda #6              ; DEC / BNE of a page-zero byte
  sta delay
: dec delay
  bne :-
  ldy #$10            ; DEY / BPL down past zero
: dey
  bpl :-
  ldx #$90            ; INX / BMI up past $FF
: inx
  bmi :-
  lda frame_ready
  beq @wait
  lda #0
  sta frame_ready
  jmp main

nmi:
  SCROLLING_NMI rounds

palette:
  .byte $0F, $16, $2A, $12, $0F, $27, $1A, $30, $0F, $05, $15, $25, $0F, $01, $11, $21
  .byte $0F, $16, $2A, $12, $0F, $27, $1A, $30, $0F, $05, $15, $25, $0F, $01, $11, $21

END_CARTRIDGE nmi
