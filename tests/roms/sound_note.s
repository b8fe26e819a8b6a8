; A steady note: pulse 1 alone, constant volume 15, half duty, timer period 253. At 22050
; samples per second that is a wave of 50 samples, 441 Hz. Nothing else runs, so neither the
; stack nor the sweep register (0 at power-on) needs setting.
.segment "HEADER"
  .byte "NES", $1A, 2, 1, $00, $00
  .res 8, 0

.segment "CODE"
reset:
  lda #$01              ; pulse 1 only
  sta $4015
  lda #$BF              ; duty 2, length halted, constant volume 15
  sta $4000
  lda #253              ; period low
  sta $4002
  lda #$00              ; period high 0, length index 0
  sta $4003
forever:
  jmp forever

nmi:
irq:
  rti

.segment "VECTORS"
  .word nmi, reset, irq
