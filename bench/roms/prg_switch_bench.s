; Benchmark load: a program that switches the PRG bank at $8000 back and forth in a tight
; loop (mapper 2) while it waits for the next frame, so that every pass copies a bank. Its
; code lives in the fixed bank at $C000; the first 16 KB are the bank it switches in and out.
; How many switches a wait took becomes the horizontal scroll, so the picture shows whether
; every one was run. Assembled with tests/roms on the include path for the shared macros.
.segment "CODE"
  .res $4000, $EA       ; bank 0

.include "ppu_common.inc"
.include "scroll_nmi.inc"

; Mapper 2 with CHR RAM (no CHR units): the tiles are written at start-up.
.segment "HEADER"
  .byte "NES", $1A, 2, 0, $21, 0
  .res 8, 0

.segment "ZEROPAGE"
frame_ready: .res 1
switches: .res 1
scroll_y: .res 1

.segment "CODE"
reset:
  START_UP palette
  lda #$00              ; tile 1 colour 1, tile 2 colour 2
  ldx #$10
  jsr set_address
  lda #$FF
  ldx #8
  jsr fill_data
  lda #$00
  ldx #16
  jsr fill_data
  lda #$FF
  ldx #8
  jsr fill_data
  FILL_TABLE $20, 1
  FILL_TABLE $24, 2
  lda #$80
  sta PPUCTRL

main:
  lda #0
  sta switches
@wait:
  ldx #0
  stx bank_numbers      ; bank 0 at $8000
  inx
  stx bank_numbers + 1  ; bank 1 at $8000
  inc switches
  lda frame_ready
  beq @wait
  lda #0
  sta frame_ready
  jmp main

nmi:
  SCROLLING_NMI switches

; Written to, so that the value on the bus matches the byte at the address.
bank_numbers:
  .byte 0, 1

palette:
  .byte $0F, $16, $2A, $12, $0F, $27, $1A, $30, $0F, $05, $15, $25, $0F, $01, $11, $21
  .byte $0F, $16, $2A, $12, $0F, $27, $1A, $30, $0F, $05, $15, $25, $0F, $01, $11, $21

.segment "VECTORS"
  .word nmi, reset, no_interrupt
