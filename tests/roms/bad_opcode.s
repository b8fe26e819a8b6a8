; A program that runs into an opcode neither CPU core knows: a truncated or corrupt image
; looks like this to the emulator. The CPU must halt on the third instruction, at $8003.
.segment "HEADER"
  .byte "NES", $1A, 2, 1, $00, $00
  .res 8, 0

.segment "CODE"
reset:
  lda #$01
  nop
  .byte $07             ; unknown to both cores

nmi:
irq:
  rti

.segment "VECTORS"
  .word nmi, reset, irq
