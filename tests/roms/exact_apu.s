; What a program sees of the APU's status: length counters, the frame IRQ and the sample's
; IRQ, each result read from $4015 (or an IRQ count) and stored at results+n:
;   0  two frames after loading four lengths (pulse 2 runs out, triangle and noise halted)
;   1  after $4015 = 0 then $0F with nothing reloaded
;   2  3  two frames in four-step mode with I set: the frame flag, then read again
;   4  5  6  IRQs taken in three frames: four steps, five steps, four steps with no IRQ
;   7  8  a one-byte sample with IRQ, then after $4010 clears the IRQ enable
;   9  10 a 17-byte sample just after its start, then a frame later
;   11 IRQs taken at a one-byte sample's end
.include "ppu_common.inc"
INES_HEADER 0

irq_count = $20
results   = $0300

.segment "CODE"
reset:
  START_UP
  STORE $4017, $40
  STORE $4015, $0F
  STORE $4000, $10
  STORE $4003, $08      ; 254
  STORE $4004, $10
  STORE $4007, $18      ; 2
  STORE $4008, $80      ; halted
  STORE $400B, $00
  STORE $400C, $30      ; halted
  STORE $400F, $18
  jsr wait_vblank
  jsr wait_vblank
  ldx #0
  jsr note_status
  STORE $4015, 0
  STORE $4015, $0F
  jsr note_status
  STORE $4017, 0
  jsr wait_vblank
  jsr wait_vblank
  jsr note_status
  jsr note_status
  lda #$00
  jsr irq_frames
  lda #$80
  jsr irq_frames
  lda #$40
  jsr irq_frames
  STORE $4010, $8F
  STORE $4013, 0
  STORE $4015, $10
  jsr short_wait
  jsr note_status
  STORE $4010, $0F
  jsr note_status
  STORE $4013, 1
  STORE $4015, $10
  jsr short_wait
  jsr note_status
  jsr wait_vblank
  jsr note_status
  STORE $4010, $8F
  STORE $4013, 0
  lda #0
  sta irq_count
  STORE $4015, $10
  cli
  jsr short_wait
  sei
  lda irq_count
  sta results,x
done:
  jmp done

note_status:
  lda $4015
  sta results,x
  inx
  rts

; Sequencer mode A, then the IRQs taken in the next three frames into results,x.
irq_frames:
  sta $4017
  lda $4015             ; a flag left from before
  lda #0
  sta irq_count
  cli
  jsr wait_vblank
  jsr wait_vblank
  jsr wait_vblank
  sei
  lda irq_count
  sta results,x
  inx
  rts

; About three lines.
short_wait:
  ldy #70
: dey
  bne :-
  rts

; Acknowledges both sources.
irq:
  pha
  inc irq_count
  lda $4015
  STORE $4010, 0
  pla
  rti

END_CARTRIDGE no_interrupt, irq
